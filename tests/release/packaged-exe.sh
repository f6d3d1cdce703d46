#!/usr/bin/env bash
# Runs a start-up journey on the Bytrane.exe taken out of the archive that scripts/package.sh wrote.
# Usage: packaged-exe.sh SOURCE_DIR E2E_TESTS_EXE WORK_DIR FLAVOUR(win32|win64) EMULATOR...
set -euo pipefail
source=$1 journeys=$2 work=$3 flavour=$4
shift 4
wine=("$@")
version=$(sed -n 's/^#define BYTRANE_VERSION_TEXT "\([^"]*\)"$/\1/p' "$source/resources/Version.h")
archive=$source/dist/Bytrane-$version-$flavour.zip
[ -f "$archive" ] || { echo "no $archive: run scripts/package.sh first"; exit 77; }
rm -rf "$work" && mkdir -p "$work" && unzip -q "$archive" -d "$work"
[ "$(zipinfo -1 "$archive" | tr '\n' ' ')" = "Bytrane.exe README.txt " ] || { zipinfo -1 "$archive"; exit 1; }
! grep -qv $'\r$' "$work/README.txt" || { echo "README.txt has lines without a Windows line end"; exit 1; }
# The optional header's magic tells a PE32 (010b) from a PE32+ (020b).
header=$(od -An -t u4 -j 60 -N 4 "$work/Bytrane.exe" | tr -d ' ')
magic=$(od -An -t x2 -j $((header + 24)) -N 2 "$work/Bytrane.exe" | tr -d ' ')
expected=$([ "$flavour" = win32 ] && echo 010b || echo 020b)
[ "$magic" = "$expected" ] || { echo "the $flavour archive holds a PE with magic $magic, not $expected"; exit 1; }
strings -el "$work/Bytrane.exe" | grep -A1 -x FileVersion | grep -qxF "$version" || { echo "not version $version"; exit 1; }
# A filter that matches nothing passes in GoogleTest, so the count of journeys run is checked.
run=$(BYTRANE_EXE=$work/Bytrane.exe "${wine[@]}" "$journeys" --gtest_filter=StartupJourney.QuotedPathWithSpacesOpensTheFile 2>&1) \
  || { echo "$run"; exit 1; }
grep -q '^\[  PASSED  \] 1 test' <<<"$run" || { echo "$run"; exit 1; }
