#!/usr/bin/env bash
# The 64-bit and the 32-bit automation server registered side by side in one fresh Wine prefix:
# unregistering either leaves the other's classes working from its own script host, and once
# both are unregistered neither creates anything.
#   registration_side_by_side_check.sh PREFIX DLL64 ENV_RUN64 DLL32 ENV_RUN32
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
[[ $# -eq 5 ]] || { echo "usage: registration_side_by_side_check.sh PREFIX DLL64 ENV_RUN64 DLL32 ENV_RUN32" >&2; exit 2; }
prefix="$1"
"$here/../../scripts/wine-env" --fresh --prefix "$prefix" -- true
export WINE_PREFIX_DIR="$prefix"
# regsvr32 [/u] of a DLL, run by the env runner of its architecture.
regsvr32() {
  local run="$1" dll="Z:$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
  shift 2
  "$here/../../scripts/wine-env" --prefix "$prefix" -- wine "$run" -- \
    'C:\windows\system32\regsvr32.exe' /s "$@" "${dll//\//\\}"
}
# How many ProgIDs create an object in the host of one architecture.
created() {
  local n=0
  KVO_ENV_RUN="$1" "$here/../../scripts/wine-env" --prefix "$prefix" -- wine "$1" -- \
    'C:\windows\system32\cscript.exe' //nologo "Z:${here//\//\\}\\automation\\create_classes.vbs" \
    >/dev/null || n=$?
  echo "$n"
}
failures=0
expect() {
  local what="$1" got="$2" want="$3"
  if [[ $got != "$want" ]]; then echo "FAIL $what: $got ProgIDs create an object, expected $want"; failures=$((failures + 1)); fi
}

for order in "64 32" "32 64"; do
  regsvr32 "$3" "$2"
  regsvr32 "$5" "$4"
  expect "both registered: the 64-bit host" "$(created "$3")" 4
  expect "both registered: the 32-bit host" "$(created "$5")" 4
  first="${order% *}"
  if [[ $first == 64 ]]; then
    regsvr32 "$3" "$2" /u
    expect "64-bit unregistered first: the 32-bit host" "$(created "$5")" 4
    regsvr32 "$5" "$4" /u
  else
    regsvr32 "$5" "$4" /u
    expect "32-bit unregistered first: the 64-bit host" "$(created "$3")" 4
    regsvr32 "$3" "$2" /u
  fi
  expect "both unregistered ($order): the 64-bit host" "$(created "$3")" 0
  expect "both unregistered ($order): the 32-bit host" "$(created "$5")" 0
  if "$here/../../scripts/wine-env" --prefix "$prefix" -- wine "$3" -- 'C:\windows\system32\reg.exe' \
      query 'HKLM\Software\Classes\kVoExportExcel.clsXMLIniData' >/dev/null 2>&1; then
    echo "FAIL both unregistered ($order): the ProgID keys stay"; failures=$((failures + 1))
  fi
done
[[ $failures -eq 0 ]]
