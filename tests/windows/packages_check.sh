#!/usr/bin/env bash
# Checks the zip and the MSI of one architecture (scripts/package-windows) under Wine, in a fresh
# prefix of its own: the zip holds exactly the package's files and its command exports an
# example; the MSI installs the same files under Program Files and registers the classes for
# scripts without regsvr32; uninstalling removes both; a package of a newer version replaces
# the installed one.
# Usage: packages_check.sh x86_64|i686 BUILD_DIR PACKAGE_DIR WORK_DIR
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source_dir="$(cd "$here/../.." && pwd)"
arch="$1" build="$(cd "$2" && pwd)" packages="$(cd "$3" && pwd)"
mkdir -p "$4" && work="$(cd "$4" && pwd)"
bits="$([[ $arch == x86_64 ]] && echo win64 || echo win32)"
version="$(cat "$build/kvo-version.txt")"
name="kvoexportexcel-$version-$bits"
zip="$packages/$name.zip" msi="$packages/$name.msi"
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
[[ -f $zip && -f $msi ]] || { echo "FAIL: no $zip or $msi (make windows makes them)" >&2; exit 1; }
rm -rf "$work" && mkdir -p "$work"
winpath() { local p="Z:$1"; printf '%s' "${p//\//\\}"; }

# Exactly the package's files, below one folder named as the package.
expected="$(cd "$source_dir" && { printf '%s\n' kvoexportexcel.dll libkvoexportexcel.dll.a \
  kvo-export-excel.exe README-windows.txt include/kvoexportexcel/kvo_export_excel.h \
  include/kvoexportexcel/Api.h; find examples -type f; } | sort)"
listed="$(unzip -Z1 "$zip" | grep -v '/$' | sort)"
[[ "$listed" == "$(sed "s|^|$name/|" <<<"$expected")" ]] ||
  fail "the zip holds other files: $(diff <(sed "s|^|$name/|" <<<"$expected") - <<<"$listed" | tr '\n' ' ')"
unzip -q "$zip" -d "$work/unpacked"

if [[ $bits == win64 ]]; then
  cscript=(/usr/lib/wine/wine64 cscript //nologo)
  reg=(/usr/lib/wine/wine64 reg)
  installed="Program Files/kVoExportExcel"
else
  cscript=(wine 'C:\windows\syswow64\cscript.exe' //nologo)
  reg=(wine 'C:\windows\syswow64\reg.exe')
  installed="Program Files (x86)/kVoExportExcel"
fi
prefix="$work/prefix"
wine_env() { "$source_dir/scripts/wine-env" --prefix "$prefix" -- "$@"; }
"$source_dir/scripts/wine-env" --fresh --prefix "$prefix" -- true || exit 1

# The unpacked command exports an example next to its source.
mkdir -p "$work/zip-run" && cp "$source_dir/examples/items-structure.xml" "$work/zip-run/"
examples="$work/unpacked/$name/examples"
wine_env wine "$(winpath "$work/unpacked/$name/kvo-export-excel.exe")" \
  "$(winpath "$work/zip-run/items-structure.xml")" "$(winpath "$examples/config.xml")" \
  "@$(winpath "$examples/setup/items-structure.xml")" .xlsx >/dev/null 2>&1 ||
  fail "the zip's kvo-export-excel.exe failed"
[[ "$(head -c 2 "$work/zip-run/items-structure.xlsx" 2>/dev/null)" == PK ]] ||
  fail "the zip's command wrote no workbook"

# present: the classes work and ParseMain exports a copy of an example; absent: none is created.
classes() {
  local mode="$1"
  shift
  mkdir -p "$work/msi-run" && cp "$source_dir/examples/items-structure.xml" "$work/msi-run/"
  wine_env "${cscript[@]}" "$(winpath "$here/installed_classes.vbs")" "$mode" "$@"
}
installed_files() {
  (cd "$prefix/drive_c/$installed" 2>/dev/null && find . -type f ! -name '*.log' | sed 's|^\./||' |
    sort)
}
msiexec() { wine_env wine msiexec "$1" "$(winpath "$2")" /qn; }
installed_win="C:\\${installed//\//\\}"
export_args=("$(winpath "$work/msi-run/items-structure.xml")"
  "$installed_win\\examples\\config.xml" "$installed_win\\examples\\setup\\items-structure.xml")

msiexec /i "$msi" || fail "msiexec /i $name.msi failed"
[[ "$(installed_files)" == "$expected" ]] || fail "the MSI installed other files: $(installed_files)"
classes present "${export_args[@]}" || fail "the installed classes do not work ($bits)"
msiexec /x "$msi" || fail "msiexec /x $name.msi failed"
classes absent || fail "the classes are still registered after the uninstall"
[[ -z "$(installed_files)" ]] || fail "files left after the uninstall: $(installed_files)"

# A newer version (the patch number + 1) replaces the installed package.
IFS=. read -r major minor patch <<<"$version"
newer="$major.$minor.$((patch + 1))"
KVO_PACKAGE_VERSION="$newer" "$source_dir/scripts/package-windows" "$arch" "$build" \
  "$work/newer" >/dev/null || fail "no package of version $newer"
msiexec /i "$msi" || fail "msiexec /i $name.msi failed again"
msiexec /i "$work/newer/kvoexportexcel-$newer-$bits.msi" || fail "the upgrade to $newer failed"
products="$(wine_env "${reg[@]}" query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' \
  /s /v DisplayName | grep -o 'kVoExportExcel [0-9.]*')"
[[ "$products" == "kVoExportExcel $newer" ]] || fail "installed after the upgrade: $products"
classes present "${export_args[@]}" || fail "the classes do not work after the upgrade"
msiexec /x "$work/newer/kvoexportexcel-$newer-$bits.msi" || fail "msiexec /x of $newer failed"
classes absent || fail "the classes are still registered after uninstalling $newer"
[[ -z "$(installed_files)" ]] || fail "files left after uninstalling $newer: $(installed_files)"

[[ $failures -eq 0 ]] && echo "packages of $name: all checks passed"
exit $((failures > 0))
