#!/usr/bin/env bash
# Installs what is missing, builds, prepares the demo folder and starts the
# editor on the embedded demo server.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
source "$root/tools/scripts/common.sh"
tanor_install_packages
build="${TANOR_BUILD_DIR:-$root/build}"
tanor_build "$root" "$build" -DTANOR_BUILD_TESTS=OFF -DTANOR_BUILD_BENCH=OFF
demo="$root/demo"
mkdir -p "$demo/Databases"
cp -f "$build/VornTanorEditor" "$demo/VornTanorEditor"
if [ -x "$build/tools/tanor-admin" ]; then
  cp -f "$build/tools/tanor-admin" "$demo/tanor-admin"
fi
if [ -x "$build/tools/tanor-demo" ]; then
  "$build/tools/tanor-demo" prepare "$demo" "$root/resources"
fi
# The demo's data sources live in a private file: the user's own are never touched.
export ODBCINI="$demo/odbc.ini"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: starting the editor under Xvfb."
  exec xvfb-run -a "$demo/VornTanorEditor"
fi
exec "$demo/VornTanorEditor"
