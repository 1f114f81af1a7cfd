#!/usr/bin/env bash
# Runs the ODBC-path tests with their statement journal kept, then parses
# every text they sent as T-SQL.
#   run.sh <test program> <gtest filter> <folder holding node_modules>
set -euo pipefail
program=$1 filter=$2 modules=$3
journal=$(mktemp)
trap 'rm -f "$journal"' EXIT
TANOR_TSQL_JOURNAL=$journal QT_QPA_PLATFORM=offscreen "$program" --gtest_filter="$filter" >/dev/null
node "$(dirname "$0")/check.mjs" "$journal" "$modules"
