#!/usr/bin/env bash
# clang-tidy with the checks of .clang-tidy over the product's sources (not
# tests, benchmarks or fuzzers), or over those changed since a git revision:
#   tools/scripts/tidy.sh <build folder> [<revision>]
# The build folder holds compile_commands.json. Fails on any finding.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:?build folder}
if [ $# -ge 2 ]; then
  files=$(git diff --name-only --diff-filter=AM "$2" -- '*.cpp')
else
  files=$(git ls-files '*.cpp')
fi
files=$(grep -vE '^(tests|bench|fuzz)/|^platform/native/' <<<"$files" || true)
[ -n "$files" ] || { echo "tidy: no source to check"; exit 0; }
echo "tidy: $(wc -l <<<"$files") files"
# Findings in headers are reported with the source that includes them.
xargs -P "$(nproc)" -n 8 clang-tidy -p "$build" --quiet --header-filter='^'"$PWD"'/(app|accounts|containers|core|guilds|items|platform|reports|tools|widgets)/' <<<"$files"
