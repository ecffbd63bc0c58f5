#!/usr/bin/env bash
# Checks that cross-built Windows binaries need no DLL but those of Windows itself (the ones Wine
# ships in SYSTEM_DLL_DIR) and each other: a mingw runtime DLL (libstdc++, libgcc,
# winpthread) among their imports means a static link did not happen.
# Usage: system_dlls_check.sh OBJDUMP SYSTEM_DLL_DIR BINARY...
set -euo pipefail
objdump="$1"
system_dir="$2"
shift 2
own=()
for binary in "$@"; do own+=("$(basename "$binary" | tr '[:upper:]' '[:lower:]')"); done
# The system's DLLs, read once (a grep -q on a pipe would end ls early, which pipefail counts
# as a failure).
declare -A system=()
while read -r name; do system["$(tr '[:upper:]' '[:lower:]' <<<"$name")"]=1; done < <(ls "$system_dir")
failures=0
for binary in "$@"; do
  while read -r dll; do
    lower="$(tr '[:upper:]' '[:lower:]' <<<"$dll")"
    [[ " ${own[*]} " == *" $lower "* ]] && continue
    if [[ -z "${system[$lower]:-}" ]]; then
      echo "FAIL: $(basename "$binary") needs $dll, which Windows does not have" >&2
      failures=$((failures + 1))
    fi
  done < <("$objdump" -p "$binary" | sed -n 's/^\tDLL Name: //p')
done
[[ $failures -eq 0 ]] && echo "every binary needs only system DLLs and its own"
exit $((failures > 0))
