#!/usr/bin/env bash
# Runs a command on a private Xvfb display with the icewm window manager (which
# publishes the active window), or with no window manager when TARVEX_NO_WM=1.
#   scripts/with-x11.sh COMMAND [ARGS...]
# The display is in $DISPLAY for the command; everything started here ends with it.
set -uo pipefail

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; wait 2>/dev/null; }
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number once it accepts
# clients: no race with other X servers starting on this machine.
fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 200); do [[ -s "$fdfile" ]] && break; sleep 0.05; done
display=$(tr -dc '0-9' <"$fdfile"); rm -f "$fdfile"
[[ -n "$display" ]] || { echo "with-x11: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display"
# What the tests may count on: they fail, not skip, when it is missing.
export TARVEX_X11_REQUIRED=1 TARVEX_X11_WM=1
[[ "${TARVEX_NO_WM:-0}" == 1 ]] && TARVEX_X11_WM=0

wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
if [[ "${TARVEX_NO_WM:-0}" != 1 ]]; then
  wmlog=$(mktemp)
  # Ready once it announces itself on the root window; started again if it
  # ended first (bounded: a loaded machine can take many seconds).
  for _ in 1 2; do
    icewm >"$wmlog" 2>&1 &
    wm=$!
    pids+=($wm)
    for _ in $(seq 300); do
      wm_ready && break
      kill -0 "$wm" 2>/dev/null || break
      sleep 0.1
    done
    wm_ready && break
  done
  if ! wm_ready; then
    echo "with-x11: icewm did not start" >&2; cat "$wmlog" >&2; rm -f "$wmlog"; exit 1
  fi
  rm -f "$wmlog"
fi

"$@"
