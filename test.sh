#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
source "$root/tools/scripts/common.sh"
tanor_install_packages
build="${TANOR_BUILD_DIR:-$root/build}"
# The tests are forced on: ./run.sh configures the same folder without them.
tanor_build "$root" "$build" -DTANOR_BUILD_TESTS=ON -DTANOR_BUILD_BENCH=ON
echo "Checking the format of the sources (clang-format)"
"$root/tools/scripts/check-format.sh"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure --no-tests=error --parallel "$(nproc)" "$@"
