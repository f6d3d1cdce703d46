#!/usr/bin/env bash
# The emulator through which CTest runs every Windows test program: it runs the program in the
# lane that CTest gave the test, that is on the lane's display, in the lane's copy of the Wine
# prefix (served by the lane's own wineserver) and with the lane's small volume.
# Usage: wine-lane.sh TARGET LOADER PROGRAM [ARGUMENTS...]
# CTest names the lane in CTEST_RESOURCE_GROUP_0_<TARGET> ("id:<lane>,slots:1"). Without one
# (while CTest lists a program's tests, or a test that needs no lane), the target's first lane is
# used when scripts/test.sh has set lanes up, and otherwise the environment as it stands.
target=$1 loader=$2
shift 2
group=CTEST_RESOURCE_GROUP_0_${target^^}
lane=${!group:-}
lane=${lane#id:}
lane=${lane%%,*}
if [ -n "${BYTRANE_LANES:-}" ]; then
  # shellcheck source=/dev/null
  source "$BYTRANE_LANES/${lane:-${target}_1}.env" || exit 1
  # A failing test's output then says where it ran.
  [ -z "$lane" ] || echo "lane $lane: display $DISPLAY, prefix $WINEPREFIX"
fi
# The program writes into files of its own rather than into the pipes of CTest (or of whatever
# runs this): a Wine process that the program starts, such as the desktop or a service, inherits
# its output and may outlive it, and CTest waits until every writer of its pipe is gone, so a
# test that passed would end in a timeout. tail hands the output on as it comes and stops once
# the program has ended.
out=$(mktemp "${TMPDIR:-/tmp}/bytrane-out.XXXXXX") && err=$(mktemp "${TMPDIR:-/tmp}/bytrane-err.XXXXXX") || exit 1
"$loader" "$@" <&0 >"$out" 2>"$err" &
program=$!
tail -q -s 0.02 -n +1 -f --pid="$program" "$err" >&2 &
errors=$!
tail -q -s 0.02 -n +1 -f --pid="$program" "$out"
wait "$program"
status=$?
wait "$errors"
rm -f "$out" "$err"
exit "$status"
