#!/usr/bin/env bash
# Installs the build into a temporary prefix and uses it as hosts would: a C program built with
# pkg-config and a C++ program built with find_package each export the bundled item structure,
# and the installed command runs with no library path set.
# Usage: install_check.sh CMAKE BUILD_DIR SOURCE_DIR [SANITIZERS]
# SANITIZERS: what the library was built with (address,undefined ...); the hosts get the same.
set -euo pipefail
cmake=$1 build=$2 source=$3
host_flags=${4:+-fsanitize=$4}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
unset LD_LIBRARY_PATH
export APPDATA=$tmp LC_ALL=C
fail() { echo "install_check: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" > /dev/null
[[ $("$prefix/bin/kvo-export-excel" --version) =~ ^kvo-export-excel\ [0-9.]+\ \(deflate:\ .+\)$ ]] ||
  fail "--version"
# ldd's whole output first: with pipefail, grep -q stopping early would fail the pipe.
libraries=$(ldd "$prefix/bin/kvo-export-excel")
grep -q "libkvoexportexcel.so.0 => $prefix/" <<< "$libraries" ||
  fail "the installed command does not use the installed library"

# The host must print the example's structure error and the path of the workbook it wrote.
export_with() {
  mkdir -p "$tmp/$2" && cp "$source/examples/items-structure.xml" "$tmp/$2/"
  local out
  out=$("$1" "$tmp/$2/items-structure.xml" "$source/examples/config.xml" \
    "$(cat "$source/examples/setup/items-structure.xml")" "$3") || fail "$2 host: $out"
  grep -q '^log: .*XML structure error: dataset relation 1' <<< "$out" || fail "$2: $out"
  [[ -s $(tail -n 1 <<< "$out") && $out == *"$tmp/$2/items-structure$3" ]] || fail "$2: $out"
}

export PKG_CONFIG_PATH=$(dirname "$(find "$prefix" -name kvoexportexcel.pc)")
# shellcheck disable=SC2046  # the flags are meant to split
cc -Wall -Werror $host_flags "$source/tests/install/c_host.c" -o "$tmp/c_host" \
  $(pkg-config --cflags --libs kvoexportexcel) -Wl,-rpath,"$(pkg-config --variable=libdir kvoexportexcel)"
export_with "$tmp/c_host" c .xlsx
"$cmake" -S "$source/tests/install/cxx_host" -B "$tmp/cxx" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_CXX_FLAGS="$host_flags" -DCMAKE_EXE_LINKER_FLAGS="$host_flags" > /dev/null
"$cmake" --build "$tmp/cxx" > /dev/null
export_with "$tmp/cxx/cxx_host" cxx .xls
