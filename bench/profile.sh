#!/usr/bin/env bash
# Records an instruction profile of one whole export of a generated item structure under
# callgrind and prints the total and the 15 functions that execute the most instructions
# themselves. The profile stays in OUT_DIR/callgrind.out for callgrind_annotate or KCachegrind.
# Usage: bench/profile.sh BIN_DIR OUT_DIR [ITEMS]   (BIN_DIR holds kvo_bench and kvo_gen_export)
set -euo pipefail
bin=${1:?folder of kvo_bench and kvo_gen_export}
out=${2:?folder for the profile}
items=${3:-10000}
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export APPDATA="$work"  # log files stay out of the user's profile

"$bin/kvo_gen_export" "$items" "$work/items.xml"
start=$(date +%s)
if ! valgrind --tool=callgrind --callgrind-out-file="$out/callgrind.out" \
    "$bin/kvo_bench" export "$work/items.xml" 2>"$out/valgrind.log"; then
  cat "$out/valgrind.log" >&2
  exit 1
fi
echo "profile: $items items, $(($(date +%s) - start)) s under callgrind, $out/callgrind.out"

# The totals line, then the first 15 function lines (self cost): no source paths, library
# folders or spelled-out string types; lines cut to fit a terminal.
callgrind_annotate --inclusive=no "$out/callgrind.out" |
  sed -E 's#%\)  (\?\?\?|[./][^ :]*):#%)  #; s#\[/[^]]*/([^]/]*)\]#[\1]#; s#\[abi:cxx11\]##g' |
  sed -E 's#std::basic_string_view<char, std::char_traits<char> >#std::string_view#g' |
  awk '
    /PROGRAM TOTALS/ { print; next }
    /file:function/ { table = 1; getline; next }
    table && NF > 0 && shown < 15 { print substr($0, 1, 140); shown++ }
  '
