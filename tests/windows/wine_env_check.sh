#!/usr/bin/env bash
# Checks scripts/wine-env, which every Windows test program runs through: --fresh gives a new
# prefix, the program's exit status comes back, a path beyond ASCII reaches the program intact,
# and --locale sets the Windows user locale (only a generated locale is taken).
# Usage: wine_env_check.sh WINE_ENV WORK_DIR
set -uo pipefail
wine_env="$1"
work="$2"
prefix="$work/prefix"
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
rm -rf "$work" && mkdir -p "$work"

"$wine_env" --fresh --prefix "$prefix" -- true || fail "no prefix was made"
touch "$prefix/drive_c/left-over"
"$wine_env" --fresh --prefix "$prefix" -- true
[[ -f "$prefix/system.reg" && ! -e "$prefix/drive_c/left-over" ]] || fail "--fresh kept the old prefix"

"$wine_env" --prefix "$prefix" -- wine cmd /c exit 7
status=$?
[[ $status -eq 7 ]] || fail "exit status 7 came back as $status"

folder="$work/Prüfung ñ €"
mkdir -p "$folder" && printf 'inhalt' >"$folder/datei.txt"
shown="$("$wine_env" --prefix "$prefix" -- wine cmd /c type "Z:${folder//\//\\}\\datei.txt")"
[[ "$shown" == "inhalt" ]] || fail "a path beyond ASCII gave '$shown'"

locale_of() {
  "$wine_env" --locale "$1" --prefix "$prefix" -- \
    wine reg query 'HKCU\Control Panel\International' /v LocaleName | tr -d '\r' |
    awk '$1 == "LocaleName" { print $3 }'
}
[[ "$(locale_of de_DE.UTF-8)" == "de-DE" ]] || fail "de_DE.UTF-8 gave the locale '$(locale_of de_DE.UTF-8)'"
[[ "$(locale_of C.UTF-8)" == "en-US" ]] || fail "C.UTF-8 gave the locale '$(locale_of C.UTF-8)'"
"$wine_env" --locale xx_YY.UTF-8 --prefix "$prefix" -- true 2>/dev/null
status=$?
[[ $status -eq 125 ]] || fail "an ungenerated locale gave exit status $status, not 125"

[[ $failures -eq 0 ]] && echo "wine-env: every check passed"
exit $((failures > 0))
