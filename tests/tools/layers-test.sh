#!/usr/bin/env bash
# The layer check on a planted tree: each file below breaks one rule and must
# be named; the clean files must not be.
set -uo pipefail
source_root="$(cd "$(dirname "$0")/../.." && pwd)"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/{platform,core,widgets,accounts,app}
plant() { # plant <file> <included>...
  local file=$1
  shift
  for included in "$@"; do echo "#include \"$included\""; done >"$tree/$file"
}
plant accounts/QueryWindow.cpp platform/Query.h
plant accounts/HelperWindow.cpp core/QueryHelpers.h
plant accounts/StatementWindow.h accounts/AccountStatements.h
plant accounts/UpwardCore.cpp widgets/WidgetKit.h
plant core/Upward.cpp accounts/CleanOps.h
plant accounts/CleanWindow.cpp accounts/CleanOps.h widgets/WidgetKit.h
plant accounts/CleanOps.cpp accounts/AccountStatements.h platform/Query.h core/QueryHelpers.h
printf '%s\n' "$tree"/accounts/{CleanOps,UpwardCore}.cpp "$tree"/core/Upward.cpp >"$tree/core.txt"
printf '%s\n' "$tree"/accounts/{QueryWindow,HelperWindow,CleanWindow}.cpp "$tree"/accounts/StatementWindow.h >"$tree/gui.txt"
out=$(cmake -DSOURCE_DIR="$tree" -DCORE_LIST="$tree/core.txt" -DGUI_LIST="$tree/gui.txt" \
  -P "$source_root/tools/scripts/check-includes.cmake" 2>&1) && { echo "FAILED: the check passed:"; echo "$out"; exit 1; }
failed=0
for named in "QueryWindow.cpp: platform/Query.h" "HelperWindow.cpp: core/QueryHelpers.h" \
  "StatementWindow.h: accounts/AccountStatements.h" "UpwardCore.cpp: widgets/WidgetKit.h" \
  "Upward.cpp: accounts/CleanOps.h"; do
  grep -qF "$named" <<<"$out" || { echo "FAILED: not named: $named"; failed=1; }
done
grep -qE "Clean(Window|Ops)\.cpp:" <<<"$out" && { echo "FAILED: a clean file was named"; failed=1; }
[ $failed = 0 ] || echo "$out"
exit $failed
