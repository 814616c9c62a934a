#!/usr/bin/env bash
# The Linux program beside the least Qt window with the same two timers
# (tarvex_qt_baseline), started alternately on a private Xvfb with icewm:
#   start-up   from exec until the window shows its first paint (and, beside
#              it, until the window manager shows the window), in wall time,
#              and the process's own CPU time until then (steadier on a busy
#              machine)
#   idle CPU   user + system time over an idle stretch after start-up
#   memory     resident set at the end of that stretch
# Prints the medians and Tarvex's ratios (start-up, CPU) and difference (memory).
#   scripts/measure-qt.sh [ROUNDS] [IDLE_SECONDS]   (default 5 rounds, 20 s)
# TARVEX_BEFORE=path adds an older build of the program to each round, for
# before and after in one run. Every run is a first start (no settings file)
# unless TARVEX_KEEP_SETTINGS=1: then each program keeps its own settings
# folder from round to round, as a user's later starts do (the Windows script
# keeps the INI the same way).
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
if [[ -z "${TARVEX_QT_IN_X:-}" ]]; then
  export TARVEX_QT_IN_X=1
  exec scripts/with-x11.sh "$0" "$@"
fi
rounds="${1:-5}"
idle="${2:-20}"
bin="$here/build/linux"
for f in tarvex tarvex_qt_baseline tarvex_startup_watch; do
  [[ -x "$bin/$f" ]] || { echo "missing $bin/$f: build the linux preset first" >&2; exit 1; }
done
version=$(sed -n 's/^#define TARVEX_VERSION_STRING "\(.*\)"$/\1/p' "$bin/generated/tarvex_version.h")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# CPU time of the process's threads in microseconds, from the scheduler's own
# account (/proc/PID/stat counts in 10 ms ticks: too coarse for a start-up).
cpu_us() { cat "/proc/$1"/task/*/schedstat 2>/dev/null | awk '{ns += $1} END {printf "%d\n", ns / 1000}'; }
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }

# One run: prints "painted_ms cpu_ms rss_kb startup_cpu_ms viewable_ms".
# tarvex_startup_watch starts the program and follows the X server's events
# (no polling processes competing for the CPU): viewable is when the window
# manager shows the window, painted when its pixels first change after that.
run() {  # PROGRAM TITLE
  local program="$1" title="$2" pid view paint c0 c1 rss cs
  local config="$work/config"
  if [[ "${TARVEX_KEEP_SETTINGS:-0}" == 1 ]]; then
    config="$work/config-$(echo "$program" | md5sum | cut -c1-8)"
  else
    rm -rf "$config"
  fi
  rm -rf "$work/runtime"; mkdir -p "$config" "$work/runtime"; chmod 700 "$work/runtime"
  read -r pid view paint < <(XDG_CONFIG_HOME="$config" XDG_RUNTIME_DIR="$work/runtime" \
                               "$bin/tarvex_startup_watch" "$title" "$program")
  if [[ -z "$pid" || "$paint" == -1 ]]; then
    echo "measure-qt: $program did not show and paint its window" >&2
    [[ -n "$pid" && "$pid" -gt 0 ]] && kill "$pid" 2>/dev/null
    exit 1
  fi
  cs=$(cpu_us "$pid")
  sleep 2   # first paints and the first ticks settle
  c0=$(cpu_us "$pid")
  sleep "$idle"
  c1=$(cpu_us "$pid")
  rss=$(rss_kb "$pid")
  kill "$pid"
  for _ in $(seq 200); do [[ -e "/proc/$pid" ]] || break; sleep 0.01; done
  echo "$paint $(awk "BEGIN {print ($c1 - $c0) / 1000}") $rss $(awk "BEGIN {print $cs / 1000}") $view"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

: >"$work/tarvex"; : >"$work/baseline"; : >"$work/before"
run_before() {
  run "$TARVEX_BEFORE" "Tarvex v$version" >>"$work/before"
  echo "round $r: before $(tail -1 "$work/before")"
}
for r in $(seq "$rounds"); do
  run "$bin/tarvex_qt_baseline" "Qt baseline" >>"$work/baseline"
  # Before and after take turns at going first: neither always starts just
  # after the other ended.
  if [[ -n "${TARVEX_BEFORE:-}" ]] && (( r % 2 == 1 )); then run_before; fi
  run "$bin/tarvex" "Tarvex v$version" >>"$work/tarvex"
  if [[ -n "${TARVEX_BEFORE:-}" ]] && (( r % 2 == 0 )); then run_before; fi
  echo "round $r: baseline $(tail -1 "$work/baseline")  tarvex $(tail -1 "$work/tarvex")  (painted ms, CPU ms in ${idle} s, RSS kB, start-up CPU ms, viewable ms)"
done
for k in 1 2 3 4 5; do
  eval "b$k=$(cut -d' ' -f$k "$work/baseline" | median)"
  eval "t$k=$(cut -d' ' -f$k "$work/tarvex" | median)"
done
echo
printf '%-22s %12s %12s %10s\n' "median" "Qt baseline" "Tarvex" "Tarvex vs"
printf '%-22s %12s %12s %9.2fx\n' "start-up, painted (ms)" "$b1" "$t1" "$(awk "BEGIN {print $t1 / $b1}")"
printf '%-22s %12s %12s %9.2fx\n' "viewable (ms)" "$b5" "$t5" "$(awk "BEGIN {print $t5 / $b5}")"
printf '%-22s %12s %12s %9.2fx\n' "start-up CPU (ms)" "$b4" "$t4" "$(awk "BEGIN {print $t4 / ($b4 > 0 ? $b4 : 1)}")"
printf '%-22s %12s %12s %9.2fx\n' "CPU in ${idle} s idle (ms)" "$b2" "$t2" "$(awk "BEGIN {print $t2 / ($b2 > 0 ? $b2 : 1)}")"
printf '%-22s %12s %12s %+8.1f MB\n' "resident (kB)" "$b3" "$t3" "$(awk "BEGIN {print ($t3 - $b3) / 1024}")"
if [[ -s "$work/before" ]]; then
  echo
  printf '%-22s %12s %12s\n' "before (median)" "Tarvex" "vs baseline"
  printf '%-22s %12s %11.2fx\n' "start-up, painted (ms)" "$(cut -d' ' -f1 "$work/before" | median)" \
    "$(awk "BEGIN {print $(cut -d' ' -f1 "$work/before" | median) / $b1}")"
  printf '%-22s %12s %11.2fx\n' "viewable (ms)" "$(cut -d' ' -f5 "$work/before" | median)" \
    "$(awk "BEGIN {print $(cut -d' ' -f5 "$work/before" | median) / $b5}")"
  printf '%-22s %12s %11.2fx\n' "start-up CPU (ms)" "$(cut -d' ' -f4 "$work/before" | median)" \
    "$(awk "BEGIN {print $(cut -d' ' -f4 "$work/before" | median) / ($b4 > 0 ? $b4 : 1)}")"
fi
