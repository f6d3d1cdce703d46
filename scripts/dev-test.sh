#!/usr/bin/env bash
# Developer loop: builds one test target in $BUILD_DIR (build/, or build64/ with
# BYTRANE_TARGET=x86_64) and runs it under Wine in a lane of its own (see wine-env.sh).
# Usage: scripts/dev-test.sh TARGET [gtest arguments...]
# With BYTRANE_TEST_LANES=N (N > 1) the cases that --gtest_filter picks run through CTest, one
# process each, spread over N lanes; otherwise the program runs once with the arguments.
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"
target=$1; shift
lanes=${BYTRANE_TEST_LANES:-1}
[[ $lanes =~ ^[1-9][0-9]*$ ]] || { echo "BYTRANE_TEST_LANES must be a count of lanes, not \"$lanes\""; exit 1; }
bytrane_report_i386
mkdir -p "$BUILD_DIR"
trap bytrane_close_lanes EXIT
[ -f "$BUILD_DIR/CMakeCache.txt" ] || cmake -S "$BYTRANE_ROOT" -B "$BUILD_DIR" \
  -DCMAKE_TOOLCHAIN_FILE="$BYTRANE_ROOT/cmake/mingw-$BYTRANE_TARGET.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD_DIR" --target "$target" -j2 2>&1 | grep -E 'warning|error' ; [ "${PIPESTATUS[0]}" -eq 0 ] || exit 1
bytrane_open_lanes "$BYTRANE_TARGET" "$lanes" || exit 1
exe=$(find "$BUILD_DIR" -name "$target.exe" | head -n 1)
lane=("$BYTRANE_ROOT/scripts/wine-lane.sh" "$BYTRANE_TARGET" "$WINE")
if [ "$lanes" -eq 1 ]; then
  "${lane[@]}" "$exe" "$@"
  exit
fi
filter='*'
for argument in "$@"; do
  case $argument in --gtest_filter=*) filter=${argument#*=} ;; esac
done
# GoogleTest lists "Suite." and then its cases indented, a parameter's value after a '#'.
names=$("${lane[@]}" "$exe" --gtest_list_tests "--gtest_filter=$filter" </dev/null | tr -d '\r' \
  | awk '/^[^ ]/ { suite = $1; next } /^  / { print suite $1 }' | sed 's/[][\.*^$()+?{}|]/\\&/g' | paste -sd '|')
[ -n "$names" ] || { echo "no test of $target matches $filter"; exit 1; }
bytrane_describe_lanes "$lanes" "$BYTRANE_TARGET"
echo "subdirs(\"$BUILD_DIR\")" >>"$BYTRANE_LANES/CTestTestfile.cmake"
cd "$BYTRANE_LANES" && ctest --output-on-failure -j "$lanes" -R "^$BYTRANE_TARGET/($names)\$"
