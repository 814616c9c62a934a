#!/usr/bin/env bash
# Runs a command on a private Xvfb display with the icewm window manager (which
# publishes the active window), or with no window manager when TARVEX_NO_WM=1.
#   scripts/with-x11.sh COMMAND [ARGS...]
# The display is in $DISPLAY for the command; everything started here ends with it.
set -uo pipefail

display=""
for n in $(seq 90 140); do
  if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then display=":$n"; break; fi
done
[[ -n "$display" ]] || { echo "with-x11: no free display" >&2; exit 1; }

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; wait 2>/dev/null; }
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY="$display"
for _ in $(seq 100); do xprop -root >/dev/null 2>&1 && break; sleep 0.1; done
xprop -root >/dev/null 2>&1 || { echo "with-x11: Xvfb did not start" >&2; exit 1; }

if [[ "${TARVEX_NO_WM:-0}" != 1 ]]; then
  icewm >/dev/null 2>&1 &
  pids+=($!)
  # Ready once it announces itself on the root window (bounded).
  for _ in $(seq 150); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
    { echo "with-x11: icewm did not start" >&2; exit 1; }
fi

"$@"
