#!/usr/bin/env bash
# Builds Bytrane and every test, then runs them all under Wine in a private Xvfb display.
# Exits with CTest's status.
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"

bash "$BYTRANE_ROOT/scripts/setup.sh" || exit 1
mkdir -p "$BUILD_DIR"

XVFB_PID=""
WINESERVER_PID=""
cleanup() {
  if [ -n "$WINESERVER_PID" ]; then wineserver -k >/dev/null 2>&1; kill "$WINESERVER_PID" 2>/dev/null; wait "$WINESERVER_PID" 2>/dev/null; fi
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; fi
}
trap cleanup EXIT

bytrane_build || { echo "build failed"; exit 1; }
bash "$BYTRANE_ROOT/scripts/host-test.sh" || exit 1

bytrane_start_xvfb || exit 1
bytrane_wine_prefix
bytrane_start_wineserver

cd "$BUILD_DIR" && ctest --output-on-failure -j2
