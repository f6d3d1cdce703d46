#!/usr/bin/env bash
# Takes Bytrane.exe out of the release archive that scripts/package.sh wrote and runs a start-up
# journey and the version check on that copy, as a user who downloaded it would start it.
# Usage: packaged-exe.sh SOURCE_DIR E2E_TESTS_EXE WORK_DIR
set -euo pipefail
source=$1 journeys=$2 work=$3
version=$(sed -n 's/^#define BYTRANE_VERSION_TEXT "\([^"]*\)"$/\1/p' "$source/resources/Version.h")
archive=$source/dist/Bytrane-$version-win32.zip
[ -f "$archive" ] || { echo "no $archive: run scripts/package.sh first"; exit 77; }

listed=$(zipinfo -1 "$archive" | tr '\n' ' ')
[ "$listed" = "Bytrane.exe README.txt " ] || { echo "the archive holds: $listed"; exit 1; }
rm -rf "$work"
mkdir -p "$work"
unzip -q "$archive" -d "$work"
if grep -qv $'\r$' "$work/README.txt"; then echo "README.txt has lines without a Windows line end"; exit 1; fi
# A filter that matches nothing passes in GoogleTest, so the count of journeys run is checked.
journeys_run=$(BYTRANE_EXE=$work/Bytrane.exe wine "$journeys" \
  --gtest_filter='StartupJourney.QuotedPathWithSpacesOpensTheFile:StartupJourney.VersionBlockNamesTheRelease' 2>&1) \
  || { echo "$journeys_run"; exit 1; }
echo "$journeys_run"
grep -q '^\[  PASSED  \] 2 tests' <<<"$journeys_run"
