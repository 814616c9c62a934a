#!/usr/bin/env bash
# Idle costs of tarvex.exe beside a minimal Win32 window with the same two
# timers (1 s, 0.5 s), started alternately in one warm Wine: start-up to a shown
# window, CPU of the process over a window of SECONDS, private bytes. A third
# program, idle_sampler.exe, is the minimal window that also takes the
# monitor's sample every 0.5 s: the difference between the two prices the
# platform calls the sampling rules require, and is printed with the ratios.
# A fourth, idle_controls.exe, is the minimal window that starts the
# common-controls library (version 6) before its window, timed for start-up
# only: the price of the library the pages behind need, which tarvex.exe pays
# once its window is up. The desktop is held in use for the whole run, so no
# program's start includes starting Wine's desktop.
#   scripts/measure-idle.sh [BUILD_DIR] [SECONDS] [ROUNDS]
# BUILD_DIR holds tarvex.exe, idle_window.exe, idle_sampler.exe, idle_controls.exe, idle_probe.exe and
# memory_probe.dll
# (default build/windows; the exe may come from another build: TARVEX_EXE=path).
# TARVEX_BEFORE=path adds an older tarvex.exe to each round, for before and after
# in one run. The pointer rests in the screen's corner, as when the user works in
# another program; TARVEX_POINTER=over rests it on the middle of each program's
# window instead. Prints one line per run and the medians per program.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$here/build/windows}" && pwd)"
secs="${2:-60}"
rounds="${3:-5}"
exe="$(realpath "${TARVEX_EXE:-$build/tarvex.exe}")"
if [[ -n "${TARVEX_BEFORE:-}" ]]; then export TARVEX_BEFORE="$(realpath "$TARVEX_BEFORE")"; fi
for f in idle_window.exe idle_sampler.exe idle_controls.exe idle_probe.exe memory_probe.dll; do
  [[ -f "$build/$f" ]] || { echo "missing $build/$f (cmake --build $build --target idle_probe)" >&2; exit 2; }
done

if [[ -z "${WINEPREFIX:-}" ]]; then  # not yet inside the Wine environment
  exec "$here/scripts/wine.sh" exec "$0" "$build" "$secs" "$rounds"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Tarvex in a folder of its own, as the older build beside it: its INI starts
# from the defaults, and both are started the same way.
mkdir "$work/tarvex"
cp "$exe" "$work/tarvex/tarvex.exe"
cp "$build/idle_window.exe" "$build/idle_sampler.exe" "$build/idle_controls.exe" "$build/idle_probe.exe" \
   "$build/memory_probe.dll" "$work/"
programs=(idle_window.exe idle_sampler.exe idle_controls.exe tarvex/tarvex.exe)
if [[ -n "${TARVEX_BEFORE:-}" ]]; then
  mkdir "$work/before"   # same name, so Wine and the CPU reading treat both alike
  cp "$TARVEX_BEFORE" "$work/before/tarvex.exe"
  programs=(idle_window.exe idle_sampler.exe idle_controls.exe before/tarvex.exe tarvex/tarvex.exe)
fi
cd "$work"
wine cmd /c exit >/dev/null 2>&1 </dev/null || true   # services up: only the program's start is timed
# The desktop held in use from here to the end (see idle_probe.cpp), and up
# before the first program starts.
wine idle_probe.exe --hold </dev/null >/dev/null 2>&1 &
holder=$!
trap 'kill "$holder" 2>/dev/null; rm -rf "$work"' EXIT
in_prefix() {  # PIDs of the Linux processes named NAME that run in this Wine prefix
  local pid
  for pid in $(pgrep -x "${1:0:15}" || true); do
    { tr '\0' '\n' <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX"; } 2>/dev/null && echo "$pid"
  done
}
for _ in $(seq 100); do [[ -n "$(in_prefix explorer.exe)" ]] && break; sleep 0.1; done
[[ -n "$(in_prefix explorer.exe)" ]] || echo "the desktop did not start; start-up figures include it" >&2

# CPU nanoseconds of every thread of the Linux process that runs NAME in this
# Wine prefix (Wine names the process after the exe, cut at 15 characters;
# other Wine prefixes on the machine may run a program of the same name).
cpu_ns() {
  local pid
  for pid in $(in_prefix "$1"); do
    { cat /proc/"$pid"/task/*/schedstat || true; } 2>/dev/null | awk '{s += $1} END {printf "%d\n", s}'
    return 0
  done
  echo "no process $1 in $WINEPREFIX" >&2
  echo 0
}

one_run() {  # PROGRAM [SECONDS]; prints: PROGRAM startup_s cpu_percent private_kib
  local program="$1" name="${1##*/}" window="${2:-$secs}" line startup="?" private="?" c0=0 c1=0 t0=0 t1=0
  while IFS= read -r line; do
    line="${line%$'\r'}"
    case "$line" in
      startup_s*) startup="${line#* }" ;;
      window_begin) c0=$(cpu_ns "$name"); t0=$(date +%s%N) ;;
      window_end) c1=$(cpu_ns "$name"); t1=$(date +%s%N) ;;
      private_kib*) private="${line#* }" ;;
      "pointer_placed 0") echo "$program: the pointer could not be placed; this run's CPU figure is not comparable" >&2 ;;
    esac
  done < <(wine idle_probe.exe "${program//\//\\}" "$window" ${pointer:+"$pointer"} 2>&1 </dev/null)
  local cpu="?"
  if ((window > 0 && t1 > t0 && c0 > 0 && c1 >= c0)); then cpu=$(echo "scale=3; 100 * ($c1 - $c0) / ($t1 - $t0)" | bc); fi
  echo "$program $startup $cpu $private"
}

# Median of the measured values ("?" is a run that could not measure); "-" when none were.
median() {
  { grep -v '^?$' || true; } | sort -g | awk '{a[NR] = $1}
    END {if (NR == 0) print "-"; else if (NR % 2) print a[(NR + 1) / 2]; else print (a[NR / 2] + a[NR / 2 + 1]) / 2}'
}

pointer=""
if [[ "${TARVEX_POINTER:-corner}" == over ]]; then pointer=over; fi
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg); $secs s windows, $rounds rounds; pointer ${pointer:-in the corner}"
printf '%-18s %10s %10s %12s\n' program start-up/s cpu/% private/KiB
results="$work/results"
for ((r = 1; r <= rounds; r++)); do
  # Every other round runs the programs in reverse order: a program is not
  # always the one that starts while the previous one is being cleaned up
  # after (its tray icon, its windows).
  order=("${programs[@]}")
  if ((r % 2 == 0)); then
    order=()
    for ((i = ${#programs[@]} - 1; i >= 0; i--)); do order+=("${programs[i]}"); done
  fi
  for name in "${order[@]}"; do
    window="$secs"
    [[ "$name" == idle_controls.exe ]] && window=0   # timed for start-up only
    one_run "$name" "$window" | tee -a "$results" | awk '{printf "%-18s %10s %10s %12s\n", $1, $2, $3, $4}'
  done
done
echo "medians:"
for name in "${programs[@]}"; do
  printf '%-18s %10s %10s %12s\n' "$name" \
    "$(awk -v n="$name" '$1 == n {print $2}' "$results" | median)" \
    "$(awk -v n="$name" '$1 == n {print $3}' "$results" | median)" \
    "$(awk -v n="$name" '$1 == n {print $4}' "$results" | median)"
done
# Ratios of the medians: CPU against the minimal window, and again with the
# price of the required samples (sampler minus minimal) taken off Tarvex.
med() { awk -v n="$1" -v c="$2" '$1 == n {print $c}' "$results" | median; }
base_cpu="$(med idle_window.exe 3)" sampled_cpu="$(med idle_sampler.exe 3)" base_priv="$(med idle_window.exe 4)"
# A run with no CPU window (SECONDS 0) times the start-up only.
cpu_measured=0
[[ "$base_cpu" != - && "$sampled_cpu" != - ]] && cpu_measured=1
if ((cpu_measured)); then
  echo "samples' platform calls: $(echo "$sampled_cpu - $base_cpu" | bc -l | awk '{printf "%.3f", $1}') % of a core"
fi
echo "common controls' start-up: $(echo "$(med idle_controls.exe 2) - $(med idle_window.exe 2)" | bc -l | awk '{printf "%+.3f", $1}') s"
for name in "${programs[@]}"; do
  [[ "$name" == idle_* ]] && continue
  cpu="$(med "$name" 3)"
  awk -v n="$name" -v c="$cpu" -v b="$base_cpu" -v s="$sampled_cpu" -v p="$(med "$name" 4)" -v bp="$base_priv" \
    -v st="$(med "$name" 2)" -v bst="$(med idle_window.exe 2)" -v cst="$(med idle_controls.exe 2)" \
    -v cm="$cpu_measured" 'BEGIN {
      printf "%-18s start-up %.2fx (%.2fx the window with common controls)", n, st / bst, st / cst
      if (cm && b > 0) printf ", idle CPU %.2fx (%.2fx without the samples'"'"' calls)", c / b, (c - (s - b)) / b
      printf ", private +%.2f MiB\n", (p - bp) / 1024 }'
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
