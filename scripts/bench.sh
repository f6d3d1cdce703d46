#!/usr/bin/env bash
# Builds the benchmark, runs it under Wine in a private Xvfb display, times grep and cat on the
# host over the same bytes, and prints one table; the figures also go to $BUILD_DIR/bench.json.
# Other work on the machine skews the figures; run it on an otherwise idle machine.
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"

bash "$BYTRANE_ROOT/scripts/setup.sh" || exit 1
mkdir -p "$BUILD_DIR"

XVFB_PID=""
WINESERVER_PID=""
DATA_FOLDER=""
cleanup() {
  if [ -n "$WINESERVER_PID" ]; then wineserver -k >/dev/null 2>&1; kill "$WINESERVER_PID" 2>/dev/null; wait "$WINESERVER_PID" 2>/dev/null; fi
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; fi
  if [ -n "$DATA_FOLDER" ]; then rm -rf "$DATA_FOLDER"; fi
}
trap cleanup EXIT

bytrane_build || { echo "build failed"; exit 1; }
bytrane_start_xvfb || exit 1
bytrane_wine_prefix
bytrane_start_wineserver

DATA_FOLDER=$(mktemp -d "${TMPDIR:-/tmp}/bytrane-bench.XXXXXX")
data=$DATA_FOLDER/search.bin
raw=$BUILD_DIR/bench-raw.txt
wine "$BUILD_DIR/bench/bytrane_bench.exe" "Z:${data//\//\\}" >"$raw" </dev/null || { cat "$raw"; echo "benchmark failed"; exit 1; }

# The host tools read the kept search data; the load comparison reads a 512 MiB file of its own.
LC_ALL=C python3 - "$raw" "$data" "$DATA_FOLDER/load.bin" "$BUILD_DIR/bench.json" <<'PY'
import json, os, statistics, subprocess, sys, time

raw, data, load_file, json_path = sys.argv[1:5]
RUNS = 5
MIB = 1024 * 1024
LOAD_BYTES = 512 * MIB

figures = {}
for line in open(raw):
    name, value, unit = line.split()
    figures[name] = (float(value), unit)

def median_seconds(command):
    times = []
    for _ in range(RUNS):
        start = time.perf_counter()
        subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        times.append(time.perf_counter() - start)
    return statistics.median(times)

size = os.path.getsize(data)
patterns = {
    "text_case_sensitive": (b"needle#haystack", False),
    "text_case_insensitive": (b"needle#haystack", True),
    "hex_1": (b"\xff", False),
    "hex_4": (b"the\xff", False),
    "hex_21": (b"the quick brown fox \xff", False),
}
for name, (pattern, fold) in patterns.items():
    command = [b"grep", b"-c", b"-F"] + ([b"-i"] if fold else []) + [b"-e", pattern, data.encode()]
    subprocess.run(command, stdout=subprocess.DEVNULL)
    figures["grep." + name] = (size / MIB / median_seconds(command), "MiB/s")

with open(load_file, "wb") as out:
    chunk = open(data, "rb").read(64 * MIB)
    for _ in range(LOAD_BYTES // len(chunk)):
        out.write(chunk)
cat = ["sh", "-c", 'cat "$0" > /dev/null', load_file]
subprocess.run(cat)
figures["load.host_cat"] = (median_seconds(cat) * 1000, "ms")
os.remove(load_file)

rows = [
    ("Load 512 MiB, HexView::LoadFile", "load.hexview", None),
    ("Load 512 MiB, plain ReadFile", "load.plain_readfile", None),
    ("Load 512 MiB, LoadFile / ReadFile", "load.hexview_over_plain", None),
    ("Load 512 MiB, host cat > /dev/null", "load.host_cat", None),
    ("Peak working set above file size", "load.peak_working_set_above_file", None),
    ("Peak pagefile usage above file size", "load.peak_pagefile_above_file", None),
    ("View client area width", "paint.window_width", None),
    ("View client area height", "paint.window_height", None),
    ("Paint, 1 KiB document", "paint.1KiB", None),
    ("Paint, 512 MiB document", "paint.512MiB", None),
    ("Page Down through 1 MiB, pages", "scroll.pages", None),
    ("Page Down through 1 MiB, per page", "scroll.per_page_down", None),
]
for name in patterns:
    rows.append(("Search 256 MiB, " + name, "search." + name, "grep." + name))
rows += [
    ("Search 256 MiB, HexView::Search once", "search.hexview_once", "grep.text_case_sensitive"),
    ("Search 256 MiB, plain byte loop", "search.plain_byte_loop", None),
    ("memcpy bandwidth", "search.memcpy", None),
    ("Search 256 MiB of 'a', 'aaa...b' (21)", "search.repeated_letter", None),
]
print("%-42s %12s %-6s %12s %9s" % ("Figure (median of >= 5 runs)", "Bytrane", "unit", "grep -c -F", "ratio"))
for label, key, grep_key in rows:
    value, unit = figures[key]
    if grep_key:
        other = figures[grep_key][0]
        print("%-42s %12.2f %-6s %12.2f %8.2fx" % (label, value, unit, other, value / other))
        figures["ratio." + key] = (value / other, "x")
    else:
        print("%-42s %12.2f %-6s" % (label, value, unit))
json.dump({name: {"value": round(v, 3), "unit": u} for name, (v, u) in sorted(figures.items())},
          open(json_path, "w"), indent=2)
print("figures written to " + json_path)
PY
