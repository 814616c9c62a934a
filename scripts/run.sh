#!/usr/bin/env bash
# Installs what is missing, builds Tarvex and starts it.
#   scripts/run.sh            the native Linux program (Qt 6): on your display
#                             when there is one, otherwise inside Xvfb with the
#                             icewm window manager (it has a tray)
#   scripts/run.sh --windows  tarvex.exe under Wine, the same way
# Without a display both write a screenshot to build/screenshot.png; set
# TARVEX_KEEP_RUNNING=1 to keep the program running there.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
source scripts/deps.sh
tarvex_install_deps

# Waits (in the display it runs on) up to 30 s for the window titled $TARVEX_TITLE
# to map, then writes the screenshot.
wait_and_shoot='
  shown=0
  for _ in $(seq 1 300); do
    if xwininfo -root -tree 2>/dev/null | grep -qF "\"$TARVEX_TITLE\""; then shown=1; break; fi
    sleep 0.1
  done
  if [[ $shown == 0 ]]; then
    echo "the main window ($TARVEX_TITLE) did not appear within 30 s; no screenshot" >&2
    exit 1
  fi
  sleep 1   # let the first paint finish
  import -window root "$TARVEX_SHOT"
  echo "screenshot written: build/screenshot.png"
  if [[ "${TARVEX_KEEP_RUNNING:-0}" == 1 ]]; then echo "running; Ctrl-C ends it"; wait; fi'
export TARVEX_SHOT="$here/build/screenshot.png"

if [[ "${1:-}" == "--windows" ]]; then
  cmake --preset windows >/dev/null
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
    wine "'"$app_dir"'/tarvex.exe" >/dev/null 2>&1 &'"$wait_and_shoot"
  exit 0
fi

cmake --preset linux >/dev/null
cmake --build build/linux -j"$(nproc)" --target tarvex
if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  echo "Starting Tarvex on $DISPLAY (it lives in the tray; use 退出 to end it)"
  exec build/linux/tarvex
fi

echo "No display: starting Tarvex inside Xvfb with icewm"
version=$(sed -n 's/^#define TARVEX_VERSION_STRING "\(.*\)"$/\1/p' build/linux/generated/tarvex_version.h)
# Settings and the instance lock of this run stay under build/.
run_dir="$here/build/linux-run"
mkdir -p "$run_dir/config" "$run_dir/runtime"
chmod 700 "$run_dir/runtime"
TARVEX_TITLE="Tarvex v$version" XDG_CONFIG_HOME="$run_dir/config" XDG_RUNTIME_DIR="$run_dir/runtime" \
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    icewm >/dev/null 2>&1 &
    for _ in $(seq 1 100); do   # the window manager (and its tray) first
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
      sleep 0.1
    done
    build/linux/tarvex >/dev/null 2>&1 &'"$wait_and_shoot"
