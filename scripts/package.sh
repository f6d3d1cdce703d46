#!/usr/bin/env bash
# Builds the release from the committed tree (HEAD, exported into a fresh folder, so neither
# uncommitted edits nor an old build folder can reach it) and writes
# dist/Bytrane-<version>-win32.zip (the 32-bit PE32 Bytrane.exe) and dist/Bytrane-<version>-win64.zip
# (the same source built 64-bit), each holding Bytrane.exe and README.txt, and dist/SHA256SUMS.
# Two runs on one commit give the same bytes: the archive lists its files in a fixed order,
# dated with the commit's time, with fixed permissions and no extra attributes.
# It also builds the tests and writes the test archives dist/bytrane-tests-win32.zip and
# dist/bytrane-tests-win64.zip (scripts/pack-tests.sh), which run the whole suite on Windows;
# with --release-only it writes the release archives alone (scripts/test.sh, whose own suite
# runs the test archive of its builds).
# Usage: package.sh [--release-only]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${PACKAGE_DIR:-$root/build-package}
dist=$root/dist
tests=ON
case ${1:-} in
  --release-only) tests=OFF ;;
  "") ;;
  *) echo "usage: package.sh [--release-only]" >&2; exit 1 ;;
esac

bash "$root/scripts/setup.sh"
git -C "$root" rev-parse --verify -q HEAD >/dev/null || { echo "package: $root has no commit to package" >&2; exit 1; }
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
  echo "package: uncommitted changes are not in the archive; it is built from $(git -C "$root" rev-parse --short HEAD)" >&2
fi

rm -rf "$work"
mkdir -p "$work/src" "$dist"
git -C "$root" archive HEAD | tar -x -C "$work/src"

version=$(sed -n 's/^#define BYTRANE_VERSION_TEXT "\([^"]*\)"$/\1/p' "$work/src/resources/Version.h")
[ -n "$version" ] || { echo "package: no BYTRANE_VERSION_TEXT in resources/Version.h" >&2; exit 1; }
commit_time=$(git -C "$root" log -1 --format=%ct HEAD)
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$work/src/resources/README-windows.txt" >"$work/README.txt"
chmod 644 "$work/README.txt"
touch -d "@$commit_time" "$work/README.txt"

# Builds one target's exe (and its tests) and writes its archives into $work; prints the release
# archive's name. The exe is the same with or without the tests, as the reproducibility check
# shows: it compares a build with them against one without.
archive() {
  local target=$1 flavour=$2 build=$work/build-$1 stage=$work/stage-$2
  local name=Bytrane-$version-$flavour.zip programs=Bytrane
  [ "$tests" = OFF ] || programs=test_archive_programs
  cmake -S "$work/src" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$work/src/cmake/mingw-$target.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING="$tests" >"$build.log" 2>&1 \
    && cmake --build "$build" --target "$programs" -j"$(nproc)" >>"$build.log" 2>&1 \
    || { cat "$build.log" >&2; echo "package: $target build failed" >&2; return 1; }
  [ "$tests" = OFF ] || bash "$work/src/scripts/pack-tests.sh" "$build" "$flavour" "$work/bytrane-tests-$flavour.zip" >&2 \
    || return 1
  mkdir -p "$stage"
  cp "$build/Bytrane.exe" "$stage/Bytrane.exe"
  cp -p "$work/README.txt" "$stage/README.txt"
  chmod 755 "$stage/Bytrane.exe"
  touch -d "@$commit_time" "$stage/Bytrane.exe"
  # Zip records local time; UTC makes the recorded time the same on every machine.
  (cd "$stage" && TZ=UTC zip -q -X -9 "$work/$name" Bytrane.exe README.txt)
  echo "$name"
}

win32=$(archive i686 win32) && win64=$(archive x86_64 win64) || exit 1
rm -f "$dist"/Bytrane-*-win32.zip "$dist"/Bytrane-*-win64.zip "$dist/SHA256SUMS"
mv "$work/$win32" "$work/$win64" "$dist/"
[ "$tests" = OFF ] || mv -f "$work/bytrane-tests-win32.zip" "$work/bytrane-tests-win64.zip" "$dist/"
(cd "$dist" && sha256sum "$win32" "$win64" >SHA256SUMS)
cat "$dist/SHA256SUMS"
