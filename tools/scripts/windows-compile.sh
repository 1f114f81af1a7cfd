#!/usr/bin/env bash
# Compiles the Windows-only files (platform/native, plain C++ without Qt) with
# the MinGW-w64 cross compiler, warnings as errors, links a console check of
# them against the Windows ODBC libraries, and runs it under Wine when Wine is
# installed.
#
#   tools/scripts/windows-compile.sh <repository> <output folder>
set -euo pipefail
root="$1"
out="$2"
cxx="${TANOR_MINGW_CXX:-x86_64-w64-mingw32-g++}"
if ! command -v "$cxx" >/dev/null; then
  echo "$cxx not found (Debian package g++-mingw-w64-x86-64)" >&2
  exit 1
fi
mkdir -p "$out"
flags=(-std=c++20 -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual
  -Wformat=2 -Wconversion -Werror -I "$root")
objects=()
for src in "$root"/platform/native/*.cpp "$root"/tests/windows/*.cpp; do
  obj="$out/$(basename "${src%.cpp}").o"
  "$cxx" "${flags[@]}" -c "$src" -o "$obj"
  objects+=("$obj")
done
"$cxx" -static -o "$out/native-check.exe" "${objects[@]}" -lodbc32 -lodbccp32
echo "Compiled and linked for Windows: $(cd "$root" && ls platform/native/*.cpp | tr '\n' ' ')"
if command -v wine >/dev/null; then
  WINEDEBUG=-all wine "$out/native-check.exe"
else
  echo "Wine is not installed: the check was linked, not run."
fi
