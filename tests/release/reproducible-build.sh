#!/usr/bin/env bash
# Builds Bytrane.exe a second time, from a copy of the tree in another folder and later than the
# first build, and fails on any byte that differs: a published checksum must be rebuildable.
# Usage: reproducible-build.sh SOURCE_DIR FIRST_EXE WORK_DIR BUILD_TYPE
set -euo pipefail
source=$1 first=$2 work=$3 type=$4

rm -rf "$work"
mkdir -p "$work/src"
# The files a build of this checkout sees, committed or not, without build folders or Git.
(cd "$source" && while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done \
  < <(git ls-files -z -co --exclude-standard) | tar -c --null -T -) | tar -x -C "$work/src"
cmake -S "$work/src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$work/src/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE="$type" -DBUILD_TESTING=OFF >"$work/build.log" 2>&1 \
  && cmake --build "$work/build" --target Bytrane -j2 >>"$work/build.log" 2>&1 \
  || { cat "$work/build.log"; echo "the second build failed"; exit 1; }

if ! cmp -s "$first" "$work/build/Bytrane.exe"; then
  echo "$first and $work/build/Bytrane.exe differ at $(cmp -l "$first" "$work/build/Bytrane.exe" | wc -l) bytes;" \
    "first offsets (1-based, octal values):"
  cmp -l "$first" "$work/build/Bytrane.exe" | head -n 8
  exit 1
fi
