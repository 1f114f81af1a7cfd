#!/usr/bin/env bash
# The install step names the Debian package behind a failed configure step.
set -uo pipefail
source "$(dirname "$0")/../../tools/scripts/common.sh"
set +e
failed=0
expect() { # expect <what> <text> <pattern>
  if ! grep -q -- "$3" <<<"$2"; then
    echo "FAILED: $1: no \"$3\" in:"; echo "$2"; failed=1
  fi
}

# What a fresh machine printed when Qt6Charts lacked the OpenGL CMake files.
named=$(tanor_name_missing_packages <<'LOG'
CMake Error at /usr/lib/x86_64-linux-gnu/cmake/Qt6/Qt6Config.cmake:219 (find_package):
  Found package configuration file:
    /usr/lib/x86_64-linux-gnu/cmake/Qt6Charts/Qt6ChartsConfig.cmake
  but it set Qt6Charts_FOUND to FALSE so package "Qt6Charts" is considered to be NOT FOUND.
  Reason given by package:
  Qt6Charts could not be found because dependency Qt6OpenGL could not be found.
LOG
)
expect "Qt6OpenGL" "$named" "missing: Qt6OpenGL (Debian package: libqt6opengl6-dev)"

# A real configure step that cannot find its packages fails and names them.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'cmake_minimum_required(VERSION 3.25)\nproject(p LANGUAGES CXX)\nfind_package(SQLite3 REQUIRED)\n' \
  >"$work/CMakeLists.txt"
out=$( (tanor_build "$work" "$work/build" -DCMAKE_FIND_ROOT_PATH=/nonexistent \
  -DCMAKE_FIND_ROOT_PATH_MODE_PACKAGE=ONLY -DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=ONLY \
  -DCMAKE_FIND_ROOT_PATH_MODE_INCLUDE=ONLY) 2>&1)
status=$?
[ "$status" -ne 0 ] || { echo "FAILED: the configure step failed but tanor_build succeeded"; failed=1; }
expect "SQLite3" "$out" "missing: SQLite3 (Debian package: libsqlite3-dev)"
expect "advice" "$out" "TANOR_PACKAGES"

# Every package the mapping names is in the package list.
for name in Qt6Charts Qt6OpenGL Qt6Widgets SQLite3 ODBC GTest benchmark; do
  pkg=$(tanor_package_for "$name")
  [[ " ${TANOR_PACKAGES[*]} " == *" $pkg "* ]] || { echo "FAILED: $pkg ($name) not in TANOR_PACKAGES"; failed=1; }
done

exit "$failed"
