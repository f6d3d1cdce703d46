#!/usr/bin/env bash
# Builds the platform-free code natively with AddressSanitizer and UBSan and runs its tests.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${HOST_BUILD_DIR:-$root/build-host}
CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -DBYTRANE_SANITIZE=ON -DBYTRANE_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug >"$dir.configure.log" 2>&1 \
  || { cat "$dir.configure.log"; exit 1; }
cmake --build "$dir" -j"$(nproc)" 2>&1 | grep -E 'warning|error|Error'
[ "${PIPESTATUS[0]}" -eq 0 ] || { echo "host build failed"; exit 1; }
cd "$dir" && ctest --output-on-failure -j2 | tail -n 3
exit "${PIPESTATUS[0]}"
