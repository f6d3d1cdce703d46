#!/usr/bin/env bash
# Builds Bytrane and runs it under Wine on the given file (or the bundled sample).
# Without a usable display it runs in a private Xvfb, saves a screenshot, prints its path
# and closes the program. BYTRANE_DPI=N shows it at that display scale (the prefix's LogPixels,
# put back as it was when the program has closed).
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"

bash "$BYTRANE_ROOT/scripts/setup.sh" || exit 1
bytrane_report_i386
mkdir -p "$BUILD_DIR"
bytrane_build || { echo "build failed"; exit 1; }

file=${1:-$BYTRANE_ROOT/resources/sample.bin}
[ -e "$file" ] && file=$(cd "$(dirname "$file")" && pwd)/$(basename "$file")
exe=$BUILD_DIR/Bytrane.exe

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  bytrane_wine_prefix
  exec "$WINE" "$exe" "$(bytrane_windows_path "$file")"
fi

XVFB_PID=""
WINE_PID=""
dpi=${BYTRANE_DPI:-96}
desktop_key='HKCU\Control Panel\Desktop'
previous_dpi=""
cleanup() {
  [ -n "$WINE_PID" ] && kill "$WINE_PID" 2>/dev/null
  if [ "$dpi" != 96 ]; then
    if [ -n "$previous_dpi" ]; then
      "$WINE" reg add "$desktop_key" /v LogPixels /t REG_DWORD /d "$previous_dpi" /f >/dev/null 2>&1
    else
      "$WINE" reg delete "$desktop_key" /v LogPixels /f >/dev/null 2>&1
    fi
  fi
  wineserver -k >/dev/null 2>&1
  [ -n "$XVFB_PID" ] && { kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; }
}
trap cleanup EXIT
bytrane_start_xvfb || exit 1
bytrane_wine_prefix
if [ "$dpi" != 96 ]; then
  previous_dpi=$("$WINE" reg query "$desktop_key" /v LogPixels 2>/dev/null | tr -d '\r' | awk '$1 == "LogPixels" { print $3 }')
  [ -z "$previous_dpi" ] || previous_dpi=$((previous_dpi))
  "$WINE" reg add "$desktop_key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
fi
# Wine's virtual desktop draws captions and frames where no window manager runs; it grows with the
# scale, as the window does.
"$WINE" explorer /desktop=Desktop,$((800 * dpi / 96))x$((640 * dpi / 96)) "$exe" "$(bytrane_windows_path "$file")" >/dev/null 2>&1 &
WINE_PID=$!
shot=${SCREENSHOT:-$BUILD_DIR/bytrane-screenshot.png}
# Emulated 32-bit code starts Wine's desktop and the program far more slowly than native code.
appeared=""
for _ in $(seq 1 240); do
  sleep 0.5
  if xwininfo -root -tree 2>/dev/null | grep -q " - Bytrane"; then appeared=1; break; fi
  kill -0 "$WINE_PID" 2>/dev/null || break
done
if [ -z "$appeared" ]; then
  echo "run: Bytrane's window did not appear; the program could not start under Wine" >&2
  exit 1
fi
sleep 2
import -window root "$shot"
echo "Screenshot: $shot"
