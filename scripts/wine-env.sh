# Sourced by the other scripts: where the build lives and how Wine is run there.
# The Wine prefix stays inside the build folder so nothing outside the checkout is touched.
BYTRANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# One source, two builds: i686 (the PE32 Bytrane.exe, in build/, the default) and x86_64 (the
# PE32+, in build64/). Each has a Wine prefix of its own. Debian's wine, winepath and wineboot
# wrappers always pick the 32-bit loader where it is installed, so the 64-bit build calls the
# 64-bit loader by its path.
bytrane_use_target() {
  BYTRANE_TARGET=$1
  case $BYTRANE_TARGET in
    i686)
      BUILD_DIR=${BUILD_DIR32:-$BYTRANE_ROOT/build}
      export WINEARCH=win32
      WINE=wine ;;
    x86_64)
      BUILD_DIR=${BUILD_DIR64:-$BYTRANE_ROOT/build64}
      export WINEARCH=win64
      WINE=/usr/lib/wine/wine64 ;;
    *) echo "unknown target $BYTRANE_TARGET (i686 or x86_64)" >&2; return 1 ;;
  esac
  export WINEPREFIX=$BUILD_DIR/wineprefix
}
BUILD_DIR32=${BUILD_DIR32:-${BUILD_DIR:-}}
# What the caller asked for, if anything, before the default fills it in.
BYTRANE_TARGET_CHOSEN=${BYTRANE_TARGET:-}
bytrane_use_target "${BYTRANE_TARGET:-i686}"

# The Windows name of a host path: Wine's drive Z: is the host's root.
bytrane_windows_path() {
  local path
  path=$(realpath -m "$1")
  echo "Z:${path//\//\\}"
}

# The Xvfb and the wineserver a script starts, stopped by their PIDs when it ends.
XVFB_PID=""
WINESERVER_PID=""
bytrane_stop_wineserver() {
  if [ -n "$WINESERVER_PID" ]; then wineserver -k >/dev/null 2>&1; kill "$WINESERVER_PID" 2>/dev/null; wait "$WINESERVER_PID" 2>/dev/null; fi
  WINESERVER_PID=""
}
bytrane_stop_services() {
  bytrane_stop_wineserver
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; fi
}

# Configures and builds the cross build into $BUILD_DIR.
bytrane_build() {
  mkdir -p "$BUILD_DIR"
  cmake -S "$BYTRANE_ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$BYTRANE_ROOT/cmake/mingw-$BYTRANE_TARGET.cmake" \
    -DCMAKE_BUILD_TYPE=Release >"$BUILD_DIR.configure.log" 2>&1 || { cat "$BUILD_DIR.configure.log"; return 1; }
  cmake --build "$BUILD_DIR" -j"$(nproc)" 2>&1 | grep -E 'warning|error|Error' ; return "${PIPESTATUS[0]}"
}

# Creates the Wine prefix on first use (about 25 s).
bytrane_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 </dev/null || true
    # Without a window manager, Wine waits about 2 s whenever a managed top-level window hides.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null || true
    wineserver -w 2>/dev/null || true
  fi
  bytrane_wine_fonts
}

# Debian's Wine looks for its own fonts (Marlett for the caption buttons, MS Sans Serif, Tahoma)
# in the prefix's Fonts folder but installs them under /usr/share/wine/fonts; without them the
# caption buttons are drawn as the letters "0 1 r".
bytrane_wine_fonts() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts font
  [ -d "$fonts" ] || return 0
  for font in /usr/share/wine/fonts/*; do
    [ -e "$fonts/$(basename "$font")" ] || ln -s "$font" "$fonts/"
  done
}

# Starts Xvfb on the first free display; sets XVFB_PID and DISPLAY.
bytrane_start_xvfb() {
  local n
  for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
      XVFB_PID=$!
      export DISPLAY=":$n"
      local i
      for i in $(seq 1 50); do
        xdpyinfo >/dev/null 2>&1 && return 0
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
      done
      kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null
    fi
  done
  echo "could not start Xvfb" >&2
  return 1
}

# Starts a persistent wineserver so each test process starts in a tenth of a second.
# It runs in the foreground of its own job so that its PID is the one to stop, and every wine
# process finds it already there: a server that wine starts by itself would inherit the
# caller's output pipe and keep CTest waiting for the pipe to close.
bytrane_start_wineserver() {
  wineserver -f -p </dev/null >/dev/null 2>&1 &
  WINESERVER_PID=$!
  # The first program of a session also starts Wine's services; start them here, with no
  # pipe of ours to inherit.
  sleep 0.5
  "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# How this machine runs 32-bit x86 programs such as Wine's 32-bit loader: "native", "qemu X.Y.Z"
# (the emulator the kernel hands them to through binfmt_misc), or "none". QEMU reads its options
# from the environment too, so QEMU_VERSION asks the very emulator the kernel runs, whatever
# binary now lies at its path.
bytrane_i386_runner() {
  local loader=/usr/lib/wine/wine version
  version=$(QEMU_VERSION=1 timeout 30 "$loader" 2>/dev/null </dev/null | sed -n 's/^qemu-i386 version \([0-9.]*\).*/\1/p')
  if [ -n "$version" ]; then
    echo "qemu $version"
  elif timeout 60 "$loader" --version >/dev/null 2>&1 </dev/null; then
    echo native
  else
    echo none
  fi
}

# The one line the scripts print before they build or run anything under Wine.
bytrane_report_i386() {
  local runner
  runner=$(bytrane_i386_runner)
  case $runner in
    native) echo "32-bit code: runs natively" ;;
    qemu\ *) echo "32-bit code: emulated by QEMU ${runner#qemu } (user mode, registered in binfmt_misc)" ;;
    *) echo "32-bit code: cannot run here" ;;
  esac
}
