#!/usr/bin/env bash
# Runs Windows programs of this project under Wine inside a private Xvfb display.
#   scripts/wine.sh run EXE [ARGS...]        run one program, print its output, exit with its code
#   scripts/wine.sh shot EXE PNG [SECONDS]   start a program, take a screenshot after it shows a window
#   scripts/wine.sh exec CMD [ARGS...]       run any command inside the prepared environment
# Environment: TARVEX_WINEPREFIX (default build/wine/prefix), TARVEX_DISPLAY (default: the first
# free one, chosen by Xvfb), TARVEX_FRESH_PREFIX=1 to rebuild the prefix, TARVEX_CODEPAGE=936|1252 (default 936).
# Everything it starts (Xvfb, wineserver) is stopped again when it exits.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
state="${TARVEX_WINE_STATE:-$here/build/wine}"
prefix="${TARVEX_WINEPREFIX:-$state/prefix}"
mkdir -p "$state"

xvfb_pid=""
cleanup() {
  if [[ -n "${WINEPREFIX:-}" ]]; then wineserver -k >/dev/null 2>&1 || true; fi
  if [[ -n "$xvfb_pid" ]]; then kill "$xvfb_pid" >/dev/null 2>&1 || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

start_display() {
  if [[ "${TARVEX_USE_DISPLAY:-0}" == 1 && -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
    return 0  # the user's own display
  fi
  local n="${TARVEX_DISPLAY:-}"
  n="${n#:}"
  if [[ -n "$n" ]]; then
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -ac >"$state/xvfb.log" 2>&1 &
    xvfb_pid=$!
  else
    # Xvfb takes the first free display itself and writes its number: no race
    # with other runs starting at the same moment.
    local fifo="$state/xvfb-display.$$"
    rm -f "$fifo"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -ac 3>"$fifo" >"$state/xvfb.log" 2>&1 &
    xvfb_pid=$!
    read -r -t 20 n <"$fifo" || true
    rm -f "$fifo"
  fi
  if [[ -z "$n" ]]; then echo "Xvfb did not say which display it took" >&2; exit 1; fi
  export DISPLAY=":$n"
  for _ in $(seq 1 200); do
    if xdpyinfo >/dev/null 2>&1; then return 0; fi
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then echo "Xvfb on :$n failed to start (see $state/xvfb.log)" >&2; exit 1; fi
    sleep 0.05
  done
  echo "Xvfb on :$n did not answer" >&2
  exit 1
}

prepare_env() {
  export WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}" WINEARCH=win64
  export HOME="$state/home" XDG_CACHE_HOME="$state/home/.cache" XDG_CONFIG_HOME="$state/home/.config" XDG_DATA_HOME="$state/home/.local/share"
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
  mkdir -p "$HOME"
  case "${TARVEX_CODEPAGE:-936}" in
    936) export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8 ;;
    1252) export LC_ALL=C.UTF-8 LANG=C.UTF-8 ;;
    *) echo "unknown TARVEX_CODEPAGE" >&2; exit 2 ;;
  esac
}

prepare_prefix() {
  if [[ "${TARVEX_FRESH_PREFIX:-0}" == 1 ]]; then rm -rf "$prefix"; fi
  if [[ ! -f "$prefix/.tarvex-ready" ]]; then
    rm -rf "$prefix"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    local subst='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
    for face in SimSun Verdana 'MS Shell Dlg' 'MS Shell Dlg 2' Tahoma 'Microsoft YaHei'; do
      wine reg add "$subst" /v "$face" /t REG_SZ /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
    done
    wineserver -w
    touch "$prefix/.tarvex-ready"
  fi
  wineserver -p >/dev/null 2>&1 || true   # keep one server alive: fast starts
  # Start Wine's background services now, with no terminal or pipe to inherit:
  # otherwise they hold the output pipe of the first program open after it ends.
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

cmd="${1:-}"
shift || true
case "$cmd" in
  run)
    [[ $# -ge 1 ]] || { echo "usage: $0 run EXE [ARGS...]" >&2; exit 2; }
    start_display; prepare_env; prepare_prefix
    set +e
    wine "$@"
    rc=$?
    set -e
    exit $rc
    ;;
  exec)
    start_display; prepare_env; prepare_prefix
    set +e
    "$@"
    rc=$?
    set -e
    exit $rc
    ;;
  shot)
    [[ $# -ge 2 ]] || { echo "usage: $0 shot EXE PNG [SECONDS]" >&2; exit 2; }
    exe="$1"; png="$2"; secs="${3:-3}"
    start_display; prepare_env; prepare_prefix
    wine "$exe" >/dev/null 2>&1 &
    sleep "$secs"
    import -window root "$png"
    echo "screenshot: $png"
    ;;
  *)
    sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac
