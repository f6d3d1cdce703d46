#!/usr/bin/env bash
# Writes the test archive of one build: Bytrane.exe, every test program and run-tests.cmd, side
# by side in one folder, which is how the test programs expect to find the program. Unzipped
# anywhere on Windows (or in a Wine prefix), `run-tests.cmd` runs the whole suite.
# Usage: pack-tests.sh BUILD_DIR FLAVOUR(win32|win64) ARCHIVE
# BUILD_DIR/test-archive.txt, written by CMake, lists the files; all of them must be built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1 flavour=$2 archive=$3
list=$build/test-archive.txt
[ -f "$list" ] || { echo "pack-tests: no $list: configure $build with its tests" >&2; exit 1; }
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
names=()
while IFS= read -r file; do
  [ -n "$file" ] || continue
  [ -f "$file" ] || { echo "pack-tests: $file is not built" >&2; exit 1; }
  cp "$file" "$stage/"
  names+=("$(basename "$file")")
done <"$list"
# cmd reads a script with Unix line ends wrongly (labels are missed), so it gets Windows ones.
sed -e "s/@FLAVOUR@/$flavour/g" -e 's/$/\r/' "$root/scripts/run-tests.cmd" >"$stage/run-tests.cmd"
names+=(run-tests.cmd)
chmod 755 "$stage"/*.exe && chmod 644 "$stage/run-tests.cmd"
rm -f "$archive"
(cd "$stage" && TZ=UTC zip -q -X -9 "$(realpath -m "$archive")" "${names[@]}")
