#!/usr/bin/env bash
# The automation server under Wine, for one architecture:
#   automation_check.sh register DLL      regsvr32 /s, then every ProgID creates its object
#   automation_check.sh unregister DLL    regsvr32 /u /s, then no ProgID creates anything
#   automation_check.sh script FILE.vbs   runs a test script; its exit code is its failures
# Environment: KVO_ENV_RUN  tests/windows/EnvRun.cpp's .exe of the DLL's architecture (it starts
#              that architecture's cscript); WINE_PREFIX_DIR  the Wine prefix.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
[[ $# -eq 2 ]] || { echo "usage: automation_check.sh register|unregister|script FILE" >&2; exit 2; }
mode="$1"
file="Z:$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
file="${file//\//\\}"

in_wine() {
  "$here/../../scripts/wine-env" --prefix "$WINE_PREFIX_DIR" -- wine "$KVO_ENV_RUN" -- "$@"
}
script() {
  set +e
  in_wine 'C:\windows\system32\cscript.exe' //nologo "$@" | tr -d '\r'
  local status=${PIPESTATUS[0]}
  set -e
  return "$status"
}
# Whether the type library is registered for the machine.
typelib_registered() {
  in_wine 'C:\windows\system32\reg.exe' query \
    'HKLM\Software\Classes\TypeLib\{52FA4DDB-E1CA-4EC7-A765-297C3B6287BB}\1.0' >/dev/null 2>&1
}
created() {
  local status=0
  script "Z:${here//\//\\}\\automation\\create_classes.vbs" || status=$?
  echo "$status ProgIDs create an object"
  return "$status"
}

case "$mode" in
  register)
    in_wine 'C:\windows\system32\regsvr32.exe' /s "$file" || { echo "FAIL: regsvr32 $file" >&2; exit 1; }
    n=0; created || n=$?
    [[ $n -eq 4 ]] || { echo "FAIL: registered, but $n of 4 ProgIDs create an object" >&2; exit 1; }
    typelib_registered || { echo "FAIL: registered, but the type library is not" >&2; exit 1; }
    ;;
  unregister)
    in_wine 'C:\windows\system32\regsvr32.exe' /u /s "$file" || { echo "FAIL: regsvr32 /u $file" >&2; exit 1; }
    n=0; created || n=$?
    [[ $n -eq 0 ]] || { echo "FAIL: unregistered, but $n ProgIDs still create an object" >&2; exit 1; }
    ! typelib_registered || { echo "FAIL: unregistered, but the type library is still registered" >&2; exit 1; }
    ;;
  script)
    n=0; script "$file" || n=$?
    [[ $n -eq 0 ]] || { echo "FAIL: $2: $n failed checks" >&2; exit 1; }
    ;;
  *) echo "usage: automation_check.sh register|unregister|script FILE" >&2; exit 2 ;;
esac
