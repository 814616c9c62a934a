#!/usr/bin/env bash
# The Linux program beside the least Qt window with the same two timers
# (tarvex_qt_baseline), started alternately on a private Xvfb with icewm:
#   start-up   from exec until the window is viewable, in wall time and in
#              the process's own CPU time (steadier on a busy machine)
#   idle CPU   user + system time over an idle stretch after start-up
#   memory     resident set at the end of that stretch
# Prints the medians and Tarvex's ratios (start-up, CPU) and difference (memory).
#   scripts/measure-qt.sh [ROUNDS] [IDLE_SECONDS]   (default 5 rounds, 20 s)
# TARVEX_BEFORE=path adds an older build of the program to each round, for
# before and after in one run.
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
for f in tarvex tarvex_qt_baseline; do
  [[ -x "$bin/$f" ]] || { echo "missing $bin/$f: build the linux preset first" >&2; exit 1; }
done
version=$(sed -n 's/^#define TARVEX_VERSION_STRING "\(.*\)"$/\1/p' "$bin/generated/tarvex_version.h")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
hz=$(getconf CLK_TCK)

now_ms() { date +%s%3N; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }

# One run: prints "startup_ms cpu_ms rss_kb startup_cpu_ms".
run() {  # PROGRAM TITLE
  local program="$1" title="$2" t0 t1 pid c0 c1 rss cs
  rm -rf "$work/config" "$work/runtime"; mkdir -p "$work/config" "$work/runtime"; chmod 700 "$work/runtime"
  t0=$(now_ms)
  XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" "$program" >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 3000); do
    xdotool search --onlyvisible --pid "$pid" --name "^$title\$" >/dev/null 2>&1 && break
    sleep 0.005
  done
  t1=$(now_ms)
  cs=$(cpu_ticks "$pid")
  sleep 2   # first paints and the first ticks settle
  c0=$(cpu_ticks "$pid")
  sleep "$idle"
  c1=$(cpu_ticks "$pid")
  rss=$(rss_kb "$pid")
  kill "$pid"; wait "$pid" 2>/dev/null
  echo "$((t1 - t0)) $(( (c1 - c0) * 1000 / hz )) $rss $((cs * 1000 / hz))"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

: >"$work/tarvex"; : >"$work/baseline"; : >"$work/before"
for r in $(seq "$rounds"); do
  run "$bin/tarvex_qt_baseline" "Qt baseline" >>"$work/baseline"
  if [[ -n "${TARVEX_BEFORE:-}" ]]; then
    run "$TARVEX_BEFORE" "Tarvex v$version" >>"$work/before"
    echo "round $r: before $(tail -1 "$work/before")"
  fi
  run "$bin/tarvex" "Tarvex v$version" >>"$work/tarvex"
  echo "round $r: baseline $(tail -1 "$work/baseline")  tarvex $(tail -1 "$work/tarvex")  (start-up ms, CPU ms in ${idle} s, RSS kB, start-up CPU ms)"
done
for k in 1 2 3 4; do
  eval "b$k=$(cut -d' ' -f$k "$work/baseline" | median)"
  eval "t$k=$(cut -d' ' -f$k "$work/tarvex" | median)"
done
echo
printf '%-22s %12s %12s %10s\n' "median" "Qt baseline" "Tarvex" "Tarvex vs"
printf '%-22s %12s %12s %9.2fx\n' "start-up (ms)" "$b1" "$t1" "$(awk "BEGIN {print $t1 / $b1}")"
printf '%-22s %12s %12s %9.2fx\n' "start-up CPU (ms)" "$b4" "$t4" "$(awk "BEGIN {print $t4 / ($b4 > 0 ? $b4 : 1)}")"
printf '%-22s %12s %12s %9.2fx\n' "CPU in ${idle} s idle (ms)" "$b2" "$t2" "$(awk "BEGIN {print $t2 / ($b2 > 0 ? $b2 : 1)}")"
printf '%-22s %12s %12s %+8.1f MB\n' "resident (kB)" "$b3" "$t3" "$(awk "BEGIN {print ($t3 - $b3) / 1024}")"
if [[ -s "$work/before" ]]; then
  echo
  printf '%-22s %12s %12s\n' "before (median)" "Tarvex" "vs baseline"
  printf '%-22s %12s %11.2fx\n' "start-up (ms)" "$(cut -d' ' -f1 "$work/before" | median)" \
    "$(awk "BEGIN {print $(cut -d' ' -f1 "$work/before" | median) / $b1}")"
  printf '%-22s %12s %11.2fx\n' "start-up CPU (ms)" "$(cut -d' ' -f4 "$work/before" | median)" \
    "$(awk "BEGIN {print $(cut -d' ' -f4 "$work/before" | median) / ($b4 > 0 ? $b4 : 1)}")"
fi
