#!/usr/bin/env bash
# Runs the test archive of this build as a Windows user would: packed by scripts/pack-tests.sh and
# run by scripts/run-archive.sh, unzipped in a Wine prefix of its own that reaches no host path.
# A few cases, one from each kind of program, prove the script and the paths; the whole suite
# runs under CTest already. A second run, with a file beside the programs that is no program and
# with BYTRANE_EXE naming a missing exe, must report both and fail.
# Usage: test-archive.sh SOURCE_DIR BUILD_DIR WORK_DIR FLAVOUR(win32|win64)
set -uo pipefail
source=$1 build=$2 work=$3 flavour=$4
journey=StartupJourney.QuotedPathWithSpacesOpensTheFile
subset=FormatTest.ByteValuesAndOffsets:SystemPath.LongPathsTakeTheLongFormOfTheirFullPathAndShortOnesStayAsTheyAre
subset+=:ReliabilityTest.ANameInADoubleByteCodePageLoadsTitlesAndSavesThroughTheCopy:$journey
programs="app_tests core_tests e2e_tests framework_tests search_tests view_tests"
failed=0
fail() { echo "$*"; failed=1; }

rm -rf "$work" && mkdir -p "$work/broken" || exit 1
archive=$work/bytrane-tests-$flavour.zip
bash "$source/scripts/pack-tests.sh" "$build" "$flavour" "$archive" || exit 1
log=$work/run/run-tests.log

echo "== the archive's subset: $subset"
bash "$source/scripts/run-archive.sh" "$archive" "$work/run" "--gtest_filter=$subset"
status=$?
[ "$status" -eq 0 ] || fail "run-tests.cmd exited with $status"
[ "$(tail -n 1 "$log")" = "$flavour: 4 tests, 3 passed, 1 skipped, 0 failed" ] || fail "not the expected summary"
for program in $programs; do
  grep -q "^$program: [0-9]* tests, " "$log" || fail "no summary line for $program"
  [ -s "$work/run/prefix/drive_c/bytrane-tests/results/$program.xml" ] || fail "no results\\$program.xml"
done

echo "== a file that is no program, and BYTRANE_EXE naming a missing exe"
cp "$archive" "$work/broken/" && echo "not a program" >"$work/broken_tests.exe" \
  && (cd "$work" && zip -q "broken/$(basename "$archive")" broken_tests.exe) || exit 1
BYTRANE_EXE='C:\absent\Bytrane.exe' bash "$source/scripts/run-archive.sh" "$work/broken/$(basename "$archive")" \
  "$work/run" "--gtest_filter=$subset"
status=$?
[ "$status" -ne 0 ] || fail "run-tests.cmd exited with 0"
grep -q "^broken_tests: did not run to its end" "$log" || fail "the broken program is not reported"
grep -qx "  failed: $journey" "$log" || fail "the failed journey is not named"
[ "$(tail -n 1 "$log")" = "$flavour: 4 tests, 2 passed, 1 skipped, 1 failed" ] || fail "not the expected summary"

[ "$failed" -ne 0 ] || rm -rf "$work"
exit "$failed"
