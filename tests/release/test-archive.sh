#!/usr/bin/env bash
# Runs the test archive of this build as a Windows user would: packed by scripts/pack-tests.sh,
# unzipped into a fresh folder of a new Wine prefix whose drive Z: (the host's root) is removed,
# so no host path can be reached, and run with `cmd /c run-tests.cmd`. A few cases, one from
# each kind of program, prove the script and the paths; the whole suite runs under CTest already.
# A second run, with a file beside the programs that is no program and with BYTRANE_EXE naming a
# missing exe, must report both and fail.
# Usage: test-archive.sh SOURCE_DIR BUILD_DIR WORK_DIR FLAVOUR(win32|win64)
set -uo pipefail
source=$1 build=$2 work=$3 flavour=$4
source "$source/scripts/wine-env.sh"
bytrane_use_target "$([ "$flavour" = win32 ] && echo i686 || echo x86_64)" || exit 1
trap bytrane_stop_wineserver EXIT

journey=StartupJourney.QuotedPathWithSpacesOpensTheFile
subset=FormatTest.ByteValuesAndOffsets:SystemPath.LongPathsTakeTheLongFormOfTheirFullPathAndShortOnesStayAsTheyAre
subset+=:ReliabilityTest.ANameInADoubleByteCodePageLoadsTitlesAndSavesThroughTheCopy:$journey
programs="app_tests core_tests e2e_tests framework_tests search_tests view_tests"

failed=0
fail() { echo "$*"; failed=1; }

rm -rf "$work" && mkdir -p "$work" || exit 1
archive=$work/bytrane-tests-$flavour.zip
bash "$source/scripts/pack-tests.sh" "$build" "$flavour" "$archive" || exit 1
export WINEPREFIX=$work/prefix
bytrane_wine_prefix
rm -f "$WINEPREFIX/dosdevices/z:"
folder=$WINEPREFIX/drive_c/bytrane-tests
mkdir "$folder" && unzip -q "$archive" -d "$folder" || exit 1
# The lane's small volume is a host path, out of reach here.
unset BYTRANE_SMALL_VOLUME BYTRANE_EXE
bytrane_start_wineserver || exit 1

# Runs the archive's script with the given arguments into the file LOG, without carriage returns.
# The output goes to a file, not a pipe: a Wine process that a program starts (the desktop) would
# inherit a pipe and hold it open after the script has ended.
run_archive() {
  local log=$1 status
  shift
  (cd "$folder" && "$WINE" cmd /c 'C:\bytrane-tests\run-tests.cmd' "$@" </dev/null >"$log.raw" 2>&1)
  status=$?
  tr -d '\r' <"$log.raw" >"$log"
  cat "$log"
  return "$status"
}

echo "== the archive's subset: $subset"
run_archive "$work/subset.log" "--gtest_filter=$subset"
status=$?
[ "$status" -eq 0 ] || fail "run-tests.cmd exited with $status"
[ "$(tail -n 1 "$work/subset.log")" = "$flavour: 4 tests, 3 passed, 1 skipped, 0 failed" ] || fail "not the expected summary"
for program in $programs; do
  grep -q "^$program: [0-9]* tests, " "$work/subset.log" || fail "no summary line for $program"
  [ -s "$folder/results/$program.xml" ] || fail "no results\\$program.xml"
done

echo "== a file that is no program, and BYTRANE_EXE naming a missing exe"
echo "not a program" >"$folder/broken_tests.exe"
BYTRANE_EXE='C:\absent\Bytrane.exe' run_archive "$work/failing.log" "--gtest_filter=$subset"
status=$?
[ "$status" -ne 0 ] || fail "run-tests.cmd exited with 0"
grep -q "^broken_tests: did not run to its end" "$work/failing.log" || fail "the broken program is not reported"
grep -qx "  failed: $journey" "$work/failing.log" || fail "the failed journey is not named"
[ "$(tail -n 1 "$work/failing.log")" = "$flavour: 4 tests, 2 passed, 1 skipped, 1 failed" ] || fail "not the expected summary"

bytrane_stop_wineserver
[ "$failed" -ne 0 ] || rm -rf "$work"
exit "$failed"
