#!/usr/bin/env bash
# ./run.sh and ./test.sh share the build folder: each sets the options it
# needs whatever ran before it, and ctest fails when it finds no test. The
# two scripts run in a copy of the repository's scripts with stand-ins for
# cmake, ctest, the package query and the editor that record their calls.
set -uo pipefail
source_root="$(cd "$(dirname "$0")/../.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
repo="$work/repo"
mkdir -p "$repo/tools/scripts" "$repo/build" "$work/bin"
cp "$source_root/run.sh" "$source_root/test.sh" "$repo/"
cp "$source_root/tools/scripts/common.sh" "$source_root/tools/scripts/check-format.sh" "$repo/tools/scripts/"
for tool in cmake ctest clang-format; do
  printf '#!/bin/sh\necho "%s $*" >>"%s/calls"\n' "$tool" "$work" >"$work/bin/$tool"
done
printf '#!/bin/sh\necho "install ok installed"\n' >"$work/bin/dpkg-query"
printf '#!/bin/sh\necho "editor" >>"%s/calls"\n' "$work" >"$repo/build/VornTanorEditor"
chmod +x "$work/bin/"* "$repo/build/VornTanorEditor"
export PATH="$work/bin:$PATH" QT_QPA_PLATFORM=offscreen
unset TANOR_BUILD_DIR

configured_with() { # the options of the last configure step
  grep -E '^cmake -S' "$work/calls" | tail -1
}
check() { # check <what> <text> <pattern>
  grep -q -- "$3" <<<"$2" || { echo "FAILED: $1: no \"$3\" in: $2"; failed=1; }
}

for order in "run test" "test run test"; do
  : >"$work/calls"
  for command in $order; do
    (cd "$repo" && "./$command.sh") >/dev/null 2>&1 || { echo "FAILED: ./$command.sh ($order)"; failed=1; }
    case "$command" in
      test)
        check "test.sh after: $order" "$(configured_with)" "-DTANOR_BUILD_TESTS=ON"
        check "test.sh after: $order" "$(configured_with)" "-DTANOR_BUILD_BENCH=ON"
        check "ctest ($order)" "$(grep -E '^ctest' "$work/calls" | tail -1)" "--no-tests=error"
        ;;
      run)
        check "run.sh after: $order" "$(configured_with)" "-DTANOR_BUILD_TESTS=OFF"
        check "run.sh starts the editor ($order)" "$(tail -1 "$work/calls")" "editor"
        ;;
    esac
  done
done
exit "$failed"
