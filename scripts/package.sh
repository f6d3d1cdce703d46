#!/usr/bin/env bash
# Builds the release from the committed tree (HEAD, exported into a fresh folder, so neither
# uncommitted edits nor an old build folder can reach it) and writes
# dist/Bytrane-<version>-win32.zip, holding Bytrane.exe and README.txt, and dist/SHA256SUMS.
# Two runs on one commit give the same bytes: the archive lists its files in a fixed order,
# dated with the commit's time, with fixed permissions and no extra attributes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${PACKAGE_DIR:-$root/build-package}
dist=$root/dist

bash "$root/scripts/setup.sh"
git -C "$root" rev-parse --verify -q HEAD >/dev/null || { echo "package: $root has no commit to package" >&2; exit 1; }
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
  echo "package: uncommitted changes are not in the archive; it is built from $(git -C "$root" rev-parse --short HEAD)" >&2
fi

rm -rf "$work"
mkdir -p "$work/src" "$work/stage" "$dist"
git -C "$root" archive HEAD | tar -x -C "$work/src"

cmake -S "$work/src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$work/src/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >"$work/build.log" 2>&1 \
  && cmake --build "$work/build" --target Bytrane -j"$(nproc)" >>"$work/build.log" 2>&1 \
  || { cat "$work/build.log" >&2; echo "package: build failed" >&2; exit 1; }

version=$(sed -n 's/^#define BYTRANE_VERSION_TEXT "\([^"]*\)"$/\1/p' "$work/src/resources/Version.h")
[ -n "$version" ] || { echo "package: no BYTRANE_VERSION_TEXT in resources/Version.h" >&2; exit 1; }
name=Bytrane-$version-win32.zip

cp "$work/build/Bytrane.exe" "$work/stage/Bytrane.exe"
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$work/src/resources/README-windows.txt" >"$work/stage/README.txt"
chmod 755 "$work/stage/Bytrane.exe"
chmod 644 "$work/stage/README.txt"
commit_time=$(git -C "$root" log -1 --format=%ct HEAD)
touch -d "@$commit_time" "$work/stage/Bytrane.exe" "$work/stage/README.txt"
# Zip records local time; UTC makes the recorded time the same on every machine.
(cd "$work/stage" && TZ=UTC zip -q -X -9 "$work/$name" Bytrane.exe README.txt)

rm -f "$dist"/Bytrane-*-win32.zip "$dist/SHA256SUMS"
mv "$work/$name" "$dist/$name"
(cd "$dist" && sha256sum "$name" >SHA256SUMS)
cat "$dist/SHA256SUMS"
