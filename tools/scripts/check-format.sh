#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format makes of it.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
format="${CLANG_FORMAT:-clang-format}"
if ! command -v "$format" >/dev/null; then
  echo "clang-format not found" >&2
  exit 1
fi
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
# shellcheck disable=SC2086
"$format" --dry-run -Werror $files
