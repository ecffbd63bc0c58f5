#!/usr/bin/env bash
# Installs the build into a temporary prefix and uses it as a host would: a C program built with
# pkg-config and a C++ program built with find_package export a bundled example, and the
# installed command runs with no library path set.
# Usage: install_check.sh CMAKE BUILD_DIR SOURCE_DIR
set -euo pipefail
cmake=$1 build=$2 source=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
unset LD_LIBRARY_PATH
export APPDATA=$tmp LC_ALL=C
mkdir -p "$tmp/ORVELD/Addin Modules/Stackwright/Export"

fail() { echo "install_check: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" > /dev/null
version=$("$prefix/bin/kvo-export-excel" --version) || fail "the installed command does not run"
[[ $version =~ ^kvo-export-excel\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version printed: $version"
ldd "$prefix/bin/kvo-export-excel" | grep -q "libkvoexportexcel.so.* => $prefix/" ||
  fail "the installed command does not use the installed library"

# Runs one host on its own copy of the item structure; it must print the workbook's path and
# the structure error the example logs.
export_with() {
  local host=$1 kind=$2 extension=$3
  mkdir -p "$tmp/$kind"
  cp "$source/examples/items-structure.xml" "$tmp/$kind/"
  local out
  out=$("$host" "$tmp/$kind/items-structure.xml" "$source/examples/config.xml" \
    "$(cat "$source/examples/setup/items-structure.xml")" "$extension") || fail "$kind host failed"
  [[ $(tail -n 1 <<< "$out") == "$tmp/$kind/items-structure$extension" ]] || fail "$kind: $out"
  [[ -s $tmp/$kind/items-structure$extension ]] || fail "$kind: no workbook"
  grep -q '^log: .*XML structure error: dataset relation 1' <<< "$out" || fail "$kind: no lines"
}

pc_dir=$(dirname "$(find "$prefix" -name kvoexportexcel.pc)")
export PKG_CONFIG_PATH=$pc_dir
libdir=$(pkg-config --variable=libdir kvoexportexcel)
# shellcheck disable=SC2046  # the flags are meant to split
cc -std=c11 -Wall -Werror "$source/tests/install/c_host.c" -o "$tmp/c_host" \
  $(pkg-config --cflags --libs kvoexportexcel) -Wl,-rpath,"$libdir"
export_with "$tmp/c_host" c .xlsx

"$cmake" -S "$source/tests/install/cxx_host" -B "$tmp/cxx_build" -DCMAKE_PREFIX_PATH="$prefix" \
  > /dev/null
"$cmake" --build "$tmp/cxx_build" > /dev/null
export_with "$tmp/cxx_build/cxx_host" cxx .xls
echo "install_check: installed library, headers, command, pkg-config file and CMake package work"
