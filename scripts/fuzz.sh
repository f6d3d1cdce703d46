#!/usr/bin/env bash
# Runs every libFuzzer target for longer than the test command does.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET]   (default 60)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${HOST_BUILD_DIR:-$root/build-host}
seconds=${1:-60}
CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -DBYTRANE_SANITIZE=ON -DBYTRANE_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null || exit 1
cmake --build "$dir" -j"$(nproc)" >/dev/null || exit 1
status=0
for exe in "$dir"/tests/fuzz/Fuzz*; do
  [ -x "$exe" ] || continue
  name=$(basename "$exe")
  mkdir -p "$dir/tests/fuzz/corpus-$name"
  echo "== $name ($seconds s)"
  "$exe" -max_total_time="$seconds" -max_len=512 -artifact_prefix="$dir/tests/fuzz/" \
    "$dir/tests/fuzz/corpus-$name" "$root/tests/fuzz/corpus/$name" 2>&1 | tail -n 2 || status=1
done
exit $status
