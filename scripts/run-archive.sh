#!/usr/bin/env bash
# Runs a test archive under Wine as a Windows user would run it: unzipped into a fresh folder of
# a Wine prefix of its own whose drive Z: (the host's root) is removed, so that no host path can
# be reached, and run with `cmd /c run-tests.cmd`. Prints what the script printed (also kept in
# WORK_DIR/run-tests.log) and exits with its status.
# Usage: run-archive.sh ARCHIVE WORK_DIR [run-tests.cmd arguments...]
# ARCHIVE is a bytrane-tests-win32.zip or -win64.zip. The prefix is made in WORK_DIR on the first
# run and used again by later ones. As root, a 1 MiB volume is mounted and given to the prefix as
# drive Y: for the test of a volume that fills up, as the suite's lanes do. Without a display a
# private Xvfb is started.
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"
archive=$(realpath "$1") work=$(realpath -m "$2")
shift 2
case $(basename "$archive") in
  *-win32.zip) bytrane_use_target i686 ;;
  *-win64.zip) bytrane_use_target x86_64 ;;
  *) echo "run-archive: $archive is no bytrane-tests-win32.zip or -win64.zip" >&2; exit 1 ;;
esac
SmallVolumeDrive=y:
volume=""
stop() {
  bytrane_stop_services
  [ -z "$volume" ] || { umount "$volume"; rmdir "$volume"; }
}
trap stop EXIT

mkdir -p "$work" || exit 1
export WINEPREFIX=$work/prefix
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  bytrane_wine_prefix
  rm -f "$WINEPREFIX/dosdevices/z:"
fi
folder=$WINEPREFIX/drive_c/bytrane-tests
rm -rf "$folder" && mkdir "$folder" && unzip -q "$archive" -d "$folder" || exit 1

unset BYTRANE_SMALL_VOLUME
rm -f "$WINEPREFIX/dosdevices/$SmallVolumeDrive"
if [ "$(id -u)" -eq 0 ]; then
  volume=$(mktemp -d /tmp/bytrane-small-volume.XXXXXX)
  if mount -t tmpfs -o size=1m tmpfs "$volume" 2>/dev/null; then
    ln -s "$volume" "$WINEPREFIX/dosdevices/$SmallVolumeDrive"
    export BYTRANE_SMALL_VOLUME=${SmallVolumeDrive^^}
  else
    rmdir "$volume"; volume=""
  fi
fi
[ -n "${DISPLAY:-}" ] || bytrane_start_xvfb || exit 1
bytrane_start_wineserver || exit 1
# Into a file, not a pipe: a Wine process that a program starts (the desktop) would inherit a
# pipe and hold it open after the script has ended. The folder is the current one, as for a
# user who opened a prompt there.
(cd "$folder" && "$WINE" cmd /c 'C:\bytrane-tests\run-tests.cmd' "$@" </dev/null >"$work/run-tests.raw" 2>&1)
status=$?
tr -d '\r' <"$work/run-tests.raw" >"$work/run-tests.log"
cat "$work/run-tests.log"
exit "$status"
