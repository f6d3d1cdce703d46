#!/usr/bin/env bash
# Builds Bytrane and every test for both targets, runs the platform-free tests natively under
# sanitizers, then every test under Wine in a private Xvfb display: the i686 build (the PE32
# Bytrane.exe) under the 32-bit Wine, then the x86_64 build under the 64-bit Wine, each in a
# prefix of its own. BYTRANE_TEST_TARGETS="i686" (or "x86_64") runs one of them only.
# Exits non-zero when a build or any suite fails.
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"

bash "$BYTRANE_ROOT/scripts/setup.sh" || exit 1
bytrane_report_i386
targets=${BYTRANE_TEST_TARGETS:-i686 x86_64}

SMALL_VOLUME=""
cleanup() {
  bytrane_stop_services
  if [ -n "$SMALL_VOLUME" ]; then umount "$SMALL_VOLUME" 2>/dev/null; rmdir "$SMALL_VOLUME" 2>/dev/null; fi
}
trap cleanup EXIT

for target in $targets; do
  bytrane_use_target "$target"
  bytrane_build || { echo "$target build failed"; exit 1; }
done
bash "$BYTRANE_ROOT/scripts/host-test.sh" || exit 1
# The release archives, for the tests that run the exe taken out of each.
bash "$BYTRANE_ROOT/scripts/package.sh" >/dev/null || { echo "packaging failed"; exit 1; }

bytrane_start_xvfb || exit 1

# A 1 MiB volume for the test of saving onto a disk that fills up (needs root to mount).
if [ "$(id -u)" -eq 0 ]; then
  SMALL_VOLUME=$(mktemp -d /tmp/bytrane-small-volume.XXXXXX)
  if mount -t tmpfs -o size=1m tmpfs "$SMALL_VOLUME" 2>/dev/null; then
    export BYTRANE_SMALL_VOLUME=$(bytrane_windows_path "$SMALL_VOLUME")
  else
    rmdir "$SMALL_VOLUME"; SMALL_VOLUME=""
  fi
fi

# One test at a time: the GUI tests share one display, and keyboard focus is one per display.
status=0
for target in $targets; do
  bytrane_use_target "$target"
  echo "== Wine tests of the $target build ($WINEARCH prefix in $BUILD_DIR)"
  bytrane_wine_prefix
  bytrane_start_wineserver
  (cd "$BUILD_DIR" && ctest --output-on-failure) || status=1
  bytrane_stop_wineserver
done
exit $status
