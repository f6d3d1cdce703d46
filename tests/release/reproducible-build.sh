#!/usr/bin/env bash
# Builds Bytrane.exe again, later and from a copy of the tree in another folder, and fails on any
# byte that differs: a published checksum must be rebuildable.
# Usage: reproducible-build.sh SOURCE_DIR FIRST_EXE WORK_DIR BUILD_TYPE TOOLCHAIN_FILE
set -euo pipefail
source=$1 first=$2 work=$3 type=$4 toolchain=$(basename "$5")
rm -rf "$work" && mkdir -p "$work/src"
# The files this checkout builds from, committed or not, without build folders or Git.
(cd "$source" && while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done \
  < <(git ls-files -z -co --exclude-standard) | tar -c --null -T -) | tar -x -C "$work/src"
# At the usual priority: at the lowest, any other work on the machine starved it past its time
# limit. CTest keeps it from running beside the other heavy tests instead.
cmake -S "$work/src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$work/src/cmake/$toolchain" \
  -DCMAKE_BUILD_TYPE="$type" -DBUILD_TESTING=OFF >"$work/build.log" 2>&1 \
  && cmake --build "$work/build" --target Bytrane -j2 >>"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }
cmp -l "$first" "$work/build/Bytrane.exe" >"$work/differences" 2>&1 \
  || { echo "the two builds differ (offset, octal bytes):"; head -n 8 "$work/differences"; exit 1; }
