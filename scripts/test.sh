#!/usr/bin/env bash
# Builds Bytrane and every test, then runs them all under Wine in a private Xvfb display.
# Exits with CTest's status.
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"

bash "$BYTRANE_ROOT/scripts/setup.sh" || exit 1
bytrane_report_i386
mkdir -p "$BUILD_DIR"

SMALL_VOLUME=""
cleanup() {
  bytrane_stop_services
  if [ -n "$SMALL_VOLUME" ]; then umount "$SMALL_VOLUME" 2>/dev/null; rmdir "$SMALL_VOLUME" 2>/dev/null; fi
}
trap cleanup EXIT

bytrane_build || { echo "build failed"; exit 1; }
bash "$BYTRANE_ROOT/scripts/host-test.sh" || exit 1
# The release archive, for the test that runs the exe taken out of it.
bash "$BYTRANE_ROOT/scripts/package.sh" >/dev/null || { echo "packaging failed"; exit 1; }

bytrane_start_xvfb || exit 1
bytrane_wine_prefix
bytrane_start_wineserver

# A 1 MiB volume for the test of saving onto a disk that fills up (needs root to mount).
if [ "$(id -u)" -eq 0 ]; then
  SMALL_VOLUME=$(mktemp -d /tmp/bytrane-small-volume.XXXXXX)
  if mount -t tmpfs -o size=1m tmpfs "$SMALL_VOLUME" 2>/dev/null; then
    export BYTRANE_SMALL_VOLUME=$(winepath -w "$SMALL_VOLUME" 2>/dev/null)
  else
    rmdir "$SMALL_VOLUME"; SMALL_VOLUME=""
  fi
fi

# One test at a time: the GUI tests share one display, and keyboard focus is one per display.
cd "$BUILD_DIR" && ctest --output-on-failure
