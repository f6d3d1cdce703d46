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

# Starts Xvfb on a free display; sets XVFB_PID and DISPLAY. Xvfb picks the display and locks
# it itself, so scripts that start displays at the same moment never take the same one.
bytrane_start_xvfb() {
  local number i
  number=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
  XVFB_PID=$!
  for i in $(seq 1 100); do
    if [ -s "$number" ]; then
      export DISPLAY=":$(cat "$number")"
      rm -f "$number"
      return 0
    fi
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$number"
  kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null
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
  bytrane_wait_for_wineserver
  # The first program of a session also starts Wine's services; start them here, with no
  # pipe of ours to inherit.
  "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# Waits until the wineserver of $WINEPREFIX listens: a wine process that came sooner would start
# a server of its own.
bytrane_wait_for_wineserver() {
  local server i
  server=server-$(stat -c %D "$WINEPREFIX")-$(printf %x "$(stat -c %i "$WINEPREFIX")")
  for i in $(seq 1 100); do
    # Debian's Wine keeps the server's socket under a temporary folder that the prefix names.
    [ -S "${TMPDIR:-/tmp}/$(cat "$WINEPREFIX/wineserver" 2>/dev/null)/$server/socket" ] && return 0
    [ -S "/tmp/.wine-$(id -u)/$server/socket" ] && return 0
    sleep 0.1
  done
  echo "no wineserver for $WINEPREFIX" >&2
  return 1
}

# Lanes: the Wine tests run side by side, each in a lane of its own, made of an Xvfb display, a
# copy of the target's Wine prefix with the wineserver that serves it (one server serves one
# prefix), and, as root, a 1 MiB volume. Keyboard focus, the foreground window, window
# positions, the temporary folder and the small volume then belong to one test at a time.
# Copying the prefix takes a moment where booting a new one takes half a minute or more.
# $BYTRANE_LANES/<target>_<n>.env describes lane n of a target to scripts/wine-lane.sh.
BYTRANE_LANES=$BYTRANE_ROOT/build-lanes
LANE_XVFB_PIDS=()
LANE_HOLDER_PIDS=()
LANE_SERVER_PIDS=()
LANE_PREFIXES=()
LANE_VOLUMES=()

# Opens COUNT lanes of TARGET, the first on the target's own prefix, and starts their services.
bytrane_open_lanes() {
  local target=$1 count=$2 lane id prefix volume try i pending=() starts=() failed=()
  bytrane_use_target "$target"
  bytrane_wine_prefix
  export BYTRANE_LANES
  mkdir -p "$BYTRANE_LANES"
  for lane in $(seq 1 "$count"); do
    id=${target}_$lane
    prefix=$WINEPREFIX
    if [ "$lane" -gt 1 ]; then
      prefix=$BYTRANE_LANES/$id
      rm -rf "$prefix" && cp -a "$WINEPREFIX" "$prefix" || return 1
    fi
    bytrane_start_xvfb || return 1
    LANE_XVFB_PIDS+=("$XVFB_PID")
    volume=""
    if [ "$(id -u)" -eq 0 ]; then
      volume=$(mktemp -d /tmp/bytrane-small-volume.XXXXXX)
      if mount -t tmpfs -o size=1m tmpfs "$volume" 2>/dev/null; then
        LANE_VOLUMES+=("$volume")
        volume=$(bytrane_windows_path "$volume")
      else
        rmdir "$volume"; volume=""
      fi
    fi
    printf 'export DISPLAY=%q WINEPREFIX=%q WINEARCH=%q\n' "$DISPLAY" "$prefix" "$WINEARCH" >"$BYTRANE_LANES/$id.env"
    [ -z "$volume" ] || printf 'export BYTRANE_SMALL_VOLUME=%q\n' "$volume" >>"$BYTRANE_LANES/$id.env"
    LANE_PREFIXES+=("$prefix")
    pending+=("$id")
  done
  # The lanes start side by side; one whose Wine session does not come up is started again.
  for try in $(seq 1 "$LANE_START_TRIES"); do
    starts=()
    for id in "${pending[@]}"; do
      bytrane_serve_lane "$id"
      starts+=("$LANE_START_PID")
    done
    failed=()
    for i in "${!pending[@]}"; do
      wait "${starts[$i]}" || failed+=("${pending[$i]}")
    done
    [ ${#failed[@]} -gt 0 ] || return 0
    pending=("${failed[@]}")
    for id in "${pending[@]}"; do
      echo "lane $id: Wine did not start within ${LANE_START_SECONDS} s (try $try of $LANE_START_TRIES)" >&2
      bytrane_stop_lane_wine "$id"
    done
  done
  return 1
}

# How long a lane's first Wine program may take, and how often a lane is started again. Under
# QEMU a Wine process now and then hangs as it starts (seen: services.exe waiting on a lock with
# no processor time spent); the whole session of that prefix then waits for it.
LANE_START_SECONDS=180
LANE_START_TRIES=3

# Starts the wineserver, the holder and the services of lane ID (described by its .env file);
# LANE_START_PID is the job that ends once the lane's first program has run, with its status.
bytrane_serve_lane() {
  local id=$1
  (source "$BYTRANE_LANES/$id.env" && exec wineserver -f -p </dev/null >/dev/null 2>&1) &
  LANE_SERVER_PIDS+=("$!")
  # Wine's desktop process leaves a moment after the last program has ended, and a program
  # that starts in that moment loses its windows with it (it quits at once); one that starts
  # it again hands it its output, which keeps CTest waiting. A command interpreter that
  # waits on a pipe of its own for the lane's whole life keeps the desktop there.
  rm -f "$BYTRANE_LANES/$id.hold" && mkfifo "$BYTRANE_LANES/$id.hold" || return 1
  (source "$BYTRANE_LANES/$id.env" && bytrane_wait_for_wineserver \
    && exec "$WINE" cmd <>"$BYTRANE_LANES/$id.hold" >/dev/null 2>&1) &
  LANE_HOLDER_PIDS+=("$!")
  # The desktop and Wine's services start here, with no output of ours to inherit.
  (
    source "$BYTRANE_LANES/$id.env"
    bytrane_wait_for_wineserver || exit 1
    timeout "$LANE_START_SECONDS" "$WINE" cmd /c exit </dev/null >/dev/null 2>&1
  ) &
  LANE_START_PID=$!
}

# Ends every Wine process of lane ID's prefix, its wineserver included, even one that hangs
# before the server knows it.
bytrane_stop_lane_wine() {
  local prefix process
  prefix=$(source "$BYTRANE_LANES/$1.env" && echo "$WINEPREFIX")
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
  for process in /proc/[0-9]*; do
    case $(readlink "$process/exe" 2>/dev/null) in
      */wine*|*qemu-i386*)
        grep -qzx "WINEPREFIX=$prefix" "$process/environ" 2>/dev/null && kill -9 "${process#/proc/}" 2>/dev/null ;;
    esac
  done
  sleep 1
}

# Writes $BYTRANE_LANES/lanes.json, CTest's description of COUNT lanes of each TARGET, and starts
# $BYTRANE_LANES/CTestTestfile.cmake, which names it; the caller adds the build folders to it.
bytrane_describe_lanes() {
  local count=$1 target lane types="" lanes
  shift
  for target in "$@"; do
    lanes=""
    for lane in $(seq 1 "$count"); do lanes+="${lanes:+, }{\"id\": \"${target}_$lane\", \"slots\": 1}"; done
    types+="${types:+, }\"$target\": [$lanes]"
  done
  echo "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{$types}]}" >"$BYTRANE_LANES/lanes.json"
  echo "set(CTEST_RESOURCE_SPEC_FILE \"$BYTRANE_LANES/lanes.json\")" >"$BYTRANE_LANES/CTestTestfile.cmake"
}

bytrane_close_lanes() {
  local i
  for i in "${LANE_PREFIXES[@]}"; do WINEPREFIX=$i wineserver -k >/dev/null 2>&1; done
  for i in "${LANE_SERVER_PIDS[@]}" "${LANE_HOLDER_PIDS[@]}" "${LANE_XVFB_PIDS[@]}"; do kill "$i" 2>/dev/null; wait "$i" 2>/dev/null; done
  for i in "${LANE_VOLUMES[@]}"; do umount "$i" 2>/dev/null; rmdir "$i" 2>/dev/null; done
  LANE_XVFB_PIDS=() LANE_HOLDER_PIDS=() LANE_SERVER_PIDS=() LANE_PREFIXES=() LANE_VOLUMES=()
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
