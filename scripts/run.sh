#!/usr/bin/env bash
# Installs what is missing, builds tarvex.exe and starts it under Wine: on your
# display when there is one, otherwise inside Xvfb, writing a screenshot to
# build/screenshot.png (set TARVEX_KEEP_RUNNING=1 to keep it running there).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
source scripts/deps.sh
tarvex_install_deps

cmake --preset windows -DTARVEX_TESTS=OFF >/dev/null
cmake --build build/windows -j"$(nproc)" --target tarvex
# The program keeps tarvex.ini beside itself: give it a folder of its own.
app_dir="$here/build/app"
mkdir -p "$app_dir"
cp build/windows/tarvex.exe "$app_dir/tarvex.exe"

if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  echo "Starting Tarvex on $DISPLAY (it lives in the tray; use 退出 to end it)"
  TARVEX_USE_DISPLAY=1 TARVEX_WINE_STATE="$here/build/wine-run" exec scripts/wine.sh run "$app_dir/tarvex.exe"
fi

echo "No display: starting Tarvex inside Xvfb"
version=$(sed -n 's/^#define TARVEX_VERSION_STRING "\(.*\)"$/\1/p' build/windows/generated/tarvex_version.h)
TARVEX_TITLE="Tarvex v$version" TARVEX_WINE_STATE="$here/build/wine-run" scripts/wine.sh exec bash -c '
  wine "'"$app_dir"'/tarvex.exe" >/dev/null 2>&1 &
  shown=0
  for _ in $(seq 1 300); do   # up to 30 s for the main window to map
    if xwininfo -root -tree 2>/dev/null | grep -qF "\"$TARVEX_TITLE\""; then shown=1; break; fi
    sleep 0.1
  done
  if [[ $shown == 0 ]]; then
    echo "the main window ($TARVEX_TITLE) did not appear within 30 s; no screenshot" >&2
    exit 1
  fi
  sleep 1   # let the first paint finish
  import -window root "'"$here"'/build/screenshot.png"
  echo "screenshot written: build/screenshot.png"
  if [[ "${TARVEX_KEEP_RUNNING:-0}" == 1 ]]; then echo "running; Ctrl-C ends it"; wait; fi'
