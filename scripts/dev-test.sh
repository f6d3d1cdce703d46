#!/usr/bin/env bash
# Developer loop: builds one test target in $BUILD_DIR (build/, or build64/ with
# BYTRANE_TARGET=x86_64) and runs it under Wine in a private Xvfb display.
# Usage: scripts/dev-test.sh TARGET [gtest arguments...]
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"
target=$1; shift
bytrane_report_i386
mkdir -p "$BUILD_DIR"
trap bytrane_stop_services EXIT
[ -f "$BUILD_DIR/CMakeCache.txt" ] || cmake -S "$BYTRANE_ROOT" -B "$BUILD_DIR" \
  -DCMAKE_TOOLCHAIN_FILE="$BYTRANE_ROOT/cmake/mingw-$BYTRANE_TARGET.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD_DIR" --target "$target" -j2 2>&1 | grep -E 'warning|error' ; [ "${PIPESTATUS[0]}" -eq 0 ] || exit 1
bytrane_start_xvfb || exit 1
bytrane_wine_prefix
bytrane_start_wineserver
exe=$(find "$BUILD_DIR" -name "$target.exe" | head -n 1)
"$WINE" "$exe" "$@"
