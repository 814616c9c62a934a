#!/usr/bin/env bash
# Builds the release tarvex.exe and packs what a user downloads:
#   dist/tarvex-<version>-win64.zip  with tarvex.exe and README.txt (the Chinese
#   guide docs/guide-zh.txt, UTF-8 with a byte-order mark and CR LF for Notepad).
# Prints the exe's size and the archive's SHA-256. The version comes from the
# header CMake generates from project(VERSION).
# (The guide's rights section follows the README's "Rights": change both together.)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
jobs="${TARVEX_JOBS:-$(nproc)}"

mkdir -p build
log=build/package.log
{ cmake --preset release ${TARVEX_PACKAGE_CMAKE_ARGS:-} && cmake --build --preset release -j"$jobs"; } >"$log" 2>&1 ||
  { tail -n 40 "$log" >&2; exit 1; }

exe=build/release/tarvex.exe
version=$(sed -n 's/^#define TARVEX_VERSION_STRING "\(.*\)"$/\1/p' build/release/generated/tarvex_version.h)
[[ -n "$version" ]] || { echo "no version in build/release/generated/tarvex_version.h" >&2; exit 1; }

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/tarvex.exe"
{ printf '\xEF\xBB\xBF'; sed "s/@VERSION@/$version/; s/\$/\r/" docs/guide-zh.txt; } >"$stage/README.txt"
# Fixed times and order: the same sources give the same archive.
touch -d "@${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 315532800)}" "$stage"/*

mkdir -p dist
zipfile="dist/tarvex-$version-win64.zip"
rm -f "$zipfile"
(cd "$stage" && zip -q -X -9 "$here/$zipfile" tarvex.exe README.txt)

size=$(stat -c %s "$exe")
echo "tarvex.exe: $size bytes ($(( (size + 1023) / 1024 )) KiB)"
echo "$zipfile"
sha256sum "$zipfile" | awk '{print "SHA-256: " $1}'
