#!/usr/bin/env bash
# Checks the win64 and the win32 MSI installed side by side under Wine, in a fresh prefix of its
# own: uninstalling either leaves the other's classes working from its own script host (the
# ProgID and TypeLib keys both packages share stay), and uninstalling the second removes the
# shared keys too. Both orders. msiinfo (msitools) reads the packages' tables.
# Usage: packages_side_by_side_check.sh PACKAGE_DIR VERSION WORK_DIR
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source_dir="$(cd "$here/../.." && pwd)"
packages="$(cd "$1" && pwd)" version="$2"
mkdir -p "$3" && work="$(cd "$3" && pwd)"
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
prefix="$work/prefix"
"$source_dir/scripts/wine-env" --fresh --prefix "$prefix" -- true || exit 1
wine_env() { "$source_dir/scripts/wine-env" --prefix "$prefix" -- "$@"; }
winpath() { local p="Z:$1"; printf '%s' "${p//\//\\}"; }
msiexec() { wine_env wine msiexec "$1" "$(winpath "$packages/kvoexportexcel-$version-$2.msi")" /qn; }
classes() {
  local host
  case "$1" in
    win64) host=(/usr/lib/wine/wine64 cscript //nologo) ;;
    win32) host=(wine 'C:\windows\syswow64\cscript.exe' //nologo) ;;
  esac
  wine_env "${host[@]}" "$(winpath "$here/installed_classes.vbs")" "$2" >/dev/null
}

# Windows Installer counts the shared component's clients only when both packages hold it alike.
shared_rows() { msiinfo export "$packages/kvoexportexcel-$version-$1.msi" Registry | grep -w c_shared_registry | sort; }
[[ -n "$(shared_rows win64)" && "$(shared_rows win64)" == "$(shared_rows win32)" ]] ||
  fail "the shared registry component differs between the packages"

for first in win64 win32; do
  second="$([[ $first == win64 ]] && echo win32 || echo win64)"
  msiexec /i win64 && msiexec /i win32 || fail "installing both failed"
  classes win64 present && classes win32 present || fail "the classes of both do not work"
  msiexec /x "$first" || fail "uninstalling $first failed"
  classes "$second" present || fail "uninstalling $first broke the classes of $second"
  classes "$first" absent || fail "the classes of $first are left after its uninstall"
  msiexec /x "$second" || fail "uninstalling $second failed"
  classes "$second" absent || fail "the classes of $second are left after its uninstall"
  ! wine_env wine reg query 'HKLM\Software\Classes\kVoExportExcel.iclsExportExcel' >/dev/null 2>&1 ||
    fail "the ProgID is left after uninstalling both ($first first)"
done

[[ $failures -eq 0 ]] && echo "win64 and win32 side by side: all checks passed"
exit $((failures > 0))
