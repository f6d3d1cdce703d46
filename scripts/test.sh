#!/usr/bin/env bash
# Builds Bytrane and every test for both targets, runs the platform-free tests natively under
# sanitizers, then every test under Wine: the i686 build (the PE32 Bytrane.exe) under the 32-bit
# Wine and the x86_64 build under the 64-bit Wine, side by side in lanes (see wine-env.sh).
# BYTRANE_TEST_TARGETS="i686" (or "x86_64") runs one of them only; BYTRANE_TEST_LANES sets the
# lanes per target; BYTRANE_TEST_BUSY=N keeps N processes computing beside the whole run, to see
# the suite pass on a busy machine. Exits non-zero when a build or any test fails.
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"

bash "$BYTRANE_ROOT/scripts/setup.sh" || exit 1
bytrane_report_i386
targets=${BYTRANE_TEST_TARGETS:-i686 x86_64}

# Measured on a 2-core machine (README): more lanes wait on each other for the processors, and
# under Wine a loaded machine makes test programs crash as they exit.
DEFAULT_LANES=2
# Slots for the tests that need no lane: the layer check and the second build of each target.
NO_LANE_SLOTS=2
# How often a program whose test listing failed is run again for it.
LISTING_TRIES=3
lanes=${BYTRANE_TEST_LANES:-$DEFAULT_LANES}
[[ $lanes =~ ^[1-9][0-9]*$ ]] || { echo "BYTRANE_TEST_LANES must be a count of lanes, not \"$lanes\""; exit 1; }
busy=${BYTRANE_TEST_BUSY:-0}
[[ $busy =~ ^[0-9]+$ ]] || { echo "BYTRANE_TEST_BUSY must be a count of processes, not \"$busy\""; exit 1; }
BUSY_PIDS=()
stop_busy() {
  local pid
  for pid in "${BUSY_PIDS[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
  BUSY_PIDS=()
}
trap 'bytrane_close_lanes; stop_busy' EXIT
trap 'exit 130' INT TERM HUP
for _ in $(seq 1 "$busy"); do
  sh -c 'while :; do :; done' </dev/null >/dev/null 2>&1 &
  BUSY_PIDS+=("$!")
done
[ "$busy" -eq 0 ] || echo "== $busy busy process(es) beside the run: ${BUSY_PIDS[*]}"

# A new Wine prefix boots while the builds compile.
prefixes=()
for target in $targets; do
  (bytrane_use_target "$target" && bytrane_wine_prefix) &
  prefixes+=("$!")
done
for target in $targets; do
  bytrane_use_target "$target"
  bytrane_build || { echo "$target build failed"; exit 1; }
done
bash "$BYTRANE_ROOT/scripts/host-test.sh" || exit 1
# The release archives, for the tests that run the exe taken out of each. The test archives are
# packed by the suite itself from these builds (Release.TestArchiveRunsWithoutHostPaths), so the
# tests are not built a second time here.
bash "$BYTRANE_ROOT/scripts/package.sh" --release-only >/dev/null || { echo "packaging failed"; exit 1; }

# The Wine suites of both targets run at the same time, each test in a lane of its target that
# CTest hands out; one lane per target runs one test at a time, the i686 suite first.
wait "${prefixes[@]}"
mkdir -p "$BYTRANE_LANES" && rm -rf "$BYTRANE_LANES"/*_*/ || exit 1
# shellcheck disable=SC2086
bytrane_describe_lanes "$lanes" $targets
for target in $targets; do
  bytrane_open_lanes "$target" "$lanes" || { echo "could not open the $target lanes"; exit 1; }
  echo "subdirs(\"$BUILD_DIR\")" >>"$BYTRANE_LANES/CTestTestfile.cmake"
done
jobs=$((lanes * $(wc -w <<<"$targets")))
parallel=(-j "$((jobs + NO_LANE_SLOTS))")
[ "$lanes" -gt 1 ] || parallel=()
echo "== Wine tests of the builds for $targets, $lanes lane(s) each"
# CTest learns each program's tests by running it once as it starts, and a listing that fails
# (a Wine process that hangs as it exits) stops the whole run before any test. So the programs
# are listed first, a listing that failed is tried again, and CTest keeps what each gave.
for attempt in $(seq 1 "$LISTING_TRIES"); do
  (cd "$BYTRANE_LANES" && ctest -N >"$BYTRANE_LANES/listing.log" 2>&1) && break
  echo "listing the tests failed (try $attempt of $LISTING_TRIES):"
  grep -E -A 3 'Error|Path:' "$BYTRANE_LANES/listing.log" | head -n 8
done
(cd "$BYTRANE_LANES" && ctest --output-on-failure "${parallel[@]}") 2>&1 \
  | tee "$BYTRANE_LANES/ctest.log"
status=${PIPESTATUS[0]}
bytrane_close_lanes
# One summary per target: the tests' names start with the target.
for target in $targets; do
  awk -v target="$target" '
    match($0, /Test +#[0-9]+: [^ ]+/) {
      name = substr($0, RSTART, RLENGTH); sub(/.*: /, "", name)
      if (index(name, target "/") != 1) next
      total++
      if ($0 ~ / Passed /) passed++
      else if ($0 ~ /Skipped/) skipped++
      else failed = failed "\n  " name
    }
    END {
      printf "%s: %d tests, %d passed, %d skipped, %d failed%s\n", target, total, passed, skipped,
        total - passed - skipped, failed
    }' "$BYTRANE_LANES/ctest.log"
done
exit "$status"
