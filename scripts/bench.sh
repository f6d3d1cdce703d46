#!/usr/bin/env bash
# Builds the benchmark, runs it under Wine in a private Xvfb display, times grep and cat on the
# host over the same bytes and the natively built matcher next to glibc's memmem in memory, and
# prints the tables, then one line per target with its two figures and their ratio, and "all
# targets met" or how many were missed. Every target is a ratio of two figures of this run, timed
# in turn in one process, so a busy or a slow machine moves both alike; the figures also go to
# $BUILD_DIR/bench.json. Needs about 1 GiB free in ${TMPDIR:-/tmp}.
# It measures the i686 build where 32-bit code runs natively and the x86_64 build where it is
# emulated (BYTRANE_TARGET=i686 or x86_64 chooses), and names the build it measured.
# Other work on the machine still blurs the figures; an idle machine gives the steadiest ratios.
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"

bash "$BYTRANE_ROOT/scripts/setup.sh" || exit 1
bytrane_report_i386
RUNNER_32BIT=$(bytrane_i386_runner)
# Where 32-bit code is emulated, the PE32's figures would measure the emulator: the 64-bit build
# of the same source runs natively. BYTRANE_TARGET chooses a build explicitly.
if [ -z "$BYTRANE_TARGET_CHOSEN" ] && [ "$RUNNER_32BIT" != native ]; then
  bytrane_use_target x86_64
fi
echo "Benchmarked build: $BYTRANE_TARGET ($BUILD_DIR)"
mkdir -p "$BUILD_DIR"

DATA_FOLDER=""
cleanup() {
  bytrane_stop_services
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
"$WINE" "$BUILD_DIR/bench/bytrane_bench.exe" "Z:${data//\//\\}" >"$raw" </dev/null || { cat "$raw"; echo "benchmark failed"; exit 1; }

# The in-memory anchor: the same matcher source built for the host, beside glibc's memmem.
anchor=$BUILD_DIR/native_anchor
g++ -O2 -std=c++17 -Wall -Wextra -I"$BYTRANE_ROOT" "$BYTRANE_ROOT/bench/NativeAnchor.cpp" \
  "$BYTRANE_ROOT/search/Matcher.cpp" -o "$anchor" || { echo "native anchor build failed"; exit 1; }
"$anchor" >>"$raw" || { cat "$raw"; echo "native anchor failed"; exit 1; }

# The host tools read the kept search data; the load comparison reads a 512 MiB file of its own.
RUNNER_32BIT=$RUNNER_32BIT BYTRANE_TARGET=$BYTRANE_TARGET LC_ALL=C python3 - "$raw" "$data" "$DATA_FOLDER/load.bin" "$BUILD_DIR/bench.json" <<'PY'
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

figures["grep.open_and_find"] = (size / MIB / figures["grep.text_case_sensitive"][0] * 1000, "ms")

target, runner = os.environ["BYTRANE_TARGET"], os.environ["RUNNER_32BIT"]
if target == "i686" and runner.startswith("qemu"):
    print("Bytrane's figures below are the i686 build's, with its 32-bit code emulated by QEMU %s:"
          % runner.split()[1])
    print("they measure the emulator, not the program. The grep, host cat, native and memmem figures")
    print("are still native.")
else:
    print("Bytrane's figures below are the %s build's, run natively." % target)

def value(key):
    return figures[key][0]

rows = [
    ("Load 512 MiB, HexView::LoadFile", "load.hexview"),
    ("Load 512 MiB, plain ReadFile", "load.plain_readfile"),
    ("Load 512 MiB, host cat > /dev/null", "load.host_cat"),
    ("Peak working set above file size", "load.peak_working_set_above_file"),
    ("Peak pagefile usage above file size", "load.peak_pagefile_above_file"),
    ("View client area width", "paint.window_width"),
    ("View client area height", "paint.window_height"),
    ("Paint, 1 KiB, first in the process", "paint.1KiB_first"),
    ("Paint, 1 KiB", "paint.1KiB"),
    ("Paint, 512 MiB", "paint.512MiB"),
    ("Paint, 1 KiB of zeros", "paint.1KiB_zeros"),
    ("Page Down through 1 MiB, pages", "scroll.pages"),
    ("Page Down through 1 MiB, per page", "scroll.per_page_down"),
    ("Search, widest scan (bytes a compare)", "search.widest_scan"),
    ("Search 256 MiB, HexView::Search once", "search.hexview_once"),
    ("Open 256 MiB and Find once (ms)", "search.open_and_find"),
    ("grep -c -F over the same file, whole process (ms)", "grep.open_and_find"),
    ("Search 256 MiB, plain byte loop", "search.plain_byte_loop"),
    ("memcpy bandwidth", "search.memcpy"),
]
print()
print("%-42s %12s %-6s" % ("Figure (median of >= 5 runs)", "Bytrane", "unit"))
for label, key in rows:
    print("%-42s %12.2f %-6s" % (label, value(key), figures[key][1]))

# Every search case at every width the processor has: MiB/s, the figure timed in turn with it (the
# read pass for the ordinary cases, the ordinary text for the adversarial ones) and their ratio;
# then what a user would run instead, grep over the same file, and the same matcher built natively.
widest = "%d" % value("search.widest_scan")
widths = [w for w in ("16", "32") if "search%s.text_case_sensitive" % w in figures]
cases = [key[len("native."):] for key in figures if key.startswith("native.")]
for width in widths:
    print()
    print("%-30s %9s %9s %7s %9s %9s %9s" % ("Search 256 MiB, %s-byte scan" % width, "MiB/s", "beside",
                                              "ratio", "grep", "native", "memmem"))
    for name in cases:
        search = value("search%s.%s" % (width, name))
        beside_key = ("read%s.%s" if "read%s.%s" % (width, name) in figures else "ordinary%s.%s") % (width, name)
        ratio = search / value(beside_key)
        figures["ratio%s.%s" % (width, name)] = (ratio, "x")
        grep = figures.get("grep." + name)
        memmem = figures.get("memmem." + name)
        print("%-30s %9.0f %9.0f %7.3f %9s %9.0f %9s" % (
            name, search, value(beside_key), ratio, "%.0f" % grep[0] if grep else "-", value("native." + name),
            "%.0f" % memmem[0] if memmem else "-"))
print("(beside: the read pass of the same width over the same buffer for the ordinary cases, the")
print(" ordinary case-sensitive text for the adversarial ones; each timed in turn with the case)")

# The targets, each a ratio of two figures of this run.
results = []
def target(label, first, second, ratio, limit, at_least=True):
    met = ratio >= limit if at_least else ratio <= limit
    results.append((label, first, second, ratio, ("<= " if not at_least else ">= ") + "%g" % limit, met))

target("load: ReadFile time / LoadFile time", value("load.plain_readfile"), value("load.hexview"),
       value("load.plain_readfile") / value("load.hexview"), 0.95)
paints = (value("paint.1KiB"), value("paint.512MiB"))
target("repaint: slower / faster of 1 KiB, 512 MiB", paints[0], paints[1], max(paints) / min(paints), 1.5, False)
# 192 DPI paints four times the pixels of 96 DPI.
target("repaint: 192 DPI / 96 DPI", value("paint.192dpi"), value("paint.96dpi"),
       value("paint.192dpi") / value("paint.96dpi"), 4, False)
for name in cases:
    if "read%s.%s" % (widest, name) in figures:
        target("%s-byte %s / read pass" % (widest, name), value("search%s.%s" % (widest, name)),
               value("read%s.%s" % (widest, name)), value("ratio%s.%s" % (widest, name)), 0.8)
for width in widths:
    limit = 0.5 if width == widest else 0.25
    for name in cases:
        if "ordinary%s.%s" % (width, name) in figures:
            target("%s-byte %s / ordinary" % (width, name), value("search%s.%s" % (width, name)),
                   value("ordinary%s.%s" % (width, name)), value("ratio%s.%s" % (width, name)), limit)
print()
print("%-50s %10s %10s %7s %7s" % ("Target (ratio of two figures of this run)", "first", "second", "ratio", "pass"))
for label, first, second, ratio, limit, met in results:
    print("%-50s %10.2f %10.2f %7.3f %7s %s" % (label, first, second, ratio, limit, "met" if met else "MISSED"))
missed = sum(1 for result in results if not result[5])
print("all targets met" if missed == 0 else "%d targets missed" % missed)
json.dump({name: {"value": round(v, 3), "unit": u} for name, (v, u) in sorted(figures.items())},
          open(json_path, "w"), indent=2)
print("figures written to " + json_path)
PY
