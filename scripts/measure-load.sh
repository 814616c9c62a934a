#!/usr/bin/env bash
# Compares the load sampler under Wine with the host's own figures: keeps one
# core busy, lets the sampler's Windows-side program (tarvex_win_sampler.exe,
# measurement mode) report QueryCPUUsage once per interval together with the
# host's /proc/stat "cpu" line read at the same moment, computes the host's
# busy share for each interval independently, and compares memory with
# `free` and the C: disk with `df`. A measurement, not a test: it prints both
# series and the largest differences and always exits 0 once it ran.
#   scripts/measure-load.sh [INTERVALS] [MS]        (default 8 intervals of 1000 ms)
# Environment: TARVEX_WIN_BUILD (default build/windows), and wine.sh's own.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
intervals="${1:-8}"
ms="${2:-1000}"
build="${TARVEX_WIN_BUILD:-$here/build/windows}"
exe="$build/tarvex_win_sampler.exe"
[[ -f "$exe" ]] || { echo "missing $exe (build target tarvex_win_sampler)" >&2; exit 2; }
out="$(mktemp)"
busy_pid=""
cleanup() {
  if [[ -n "$busy_pid" ]]; then kill "$busy_pid" 2>/dev/null || true; wait "$busy_pid" 2>/dev/null || true; fi
  rm -f "$out"
}
trap cleanup EXIT

# One core busy for the whole run.
( while :; do :; done ) &
busy_pid=$!

TARVEX_MEASURE_INTERVALS="$intervals" TARVEX_MEASURE_MS="$ms" \
  "$here/scripts/wine.sh" exec sh -c '
    wine "$1" --gtest_also_run_disabled_tests --gtest_filter=*MeasureSeries* > "$2" 2>/dev/null
    echo "free $(LC_ALL=C free -b | awk "/^Mem:/ {print \$2, \$7} /^Swap:/ {print \$2, \$4}" | tr "\n" " ")" >> "$2"
    echo "df $(LC_ALL=C df -B1 --output=size,avail "$WINEPREFIX/drive_c" | tail -1)" >> "$2"
  ' sh "$exe" "$out"

kill "$busy_pid" 2>/dev/null || true
wait "$busy_pid" 2>/dev/null || true
busy_pid=""

awk -v cores="$(nproc)" '
  function busy(line,   f, n, i, total, idle) {
    n = split(line, f, " ")
    total = 0
    for (i = 2; i <= n; i++) total += f[i]
    idle = f[5] + f[6]  # idle + iowait
    prevTotal = curTotal; prevIdle = curIdle
    curTotal = total; curIdle = idle
  }
  $1 == "start" { sub(/^start /, ""); busy($0); next }
  $1 == "cpu" {
    sampler = $2
    line = $0; sub(/^cpu [^ ]+ /, "", line); busy(line)
    host = 100 * (1 - (curIdle - prevIdle) / (curTotal - prevTotal))
    d = sampler - host; if (d < 0) d = -d
    if (d > maxd) maxd = d
    printf "interval %2d  QueryCPUUsage %5.1f %%   /proc/stat %5.1f %%   difference %4.1f\n", ++k, sampler, host, d
    next
  }
  $1 == "mem" { memTotal = $2; memAvail = $3; pageTotal = $4; pageAvail = $5; memLoad = $6; next }
  $1 == "disk" { diskTotal = $2; diskFree = $3; diskAvail = $4; next }
  $1 == "free" { freeTotal = $2; freeAvail = $3; swapTotal = $4; swapFree = $5; next }
  $1 == "df" { dfSize = $2; dfAvail = $3; next }
  $1 == "sample_us" { sampleUs = $2; next }
  $1 == "parts_us" { parts = $0; sub(/^parts_us /, "", parts); next }
  END {
    if (k == 0) { print "no samples: did the program run?"; exit }
    printf "processor (%d cores, one kept busy): largest difference %.1f percentage points over %d intervals\n", cores, maxd, k
    printf "physical memory  sampler total %.0f avail %.0f   free(1) total %.0f available %.0f   diff total %.0f avail %.0f bytes\n", memTotal, memAvail, freeTotal, freeAvail, memTotal - freeTotal, memAvail - freeAvail
    printf "page file        sampler total %.0f avail %.0f   free(1) RAM+swap total %.0f free %.0f\n", pageTotal, pageAvail, freeTotal + swapTotal, freeAvail + swapFree
    printf "memory load      sampler %d %%   from free(1) %.1f %%\n", memLoad, 100 * (1 - freeAvail / freeTotal)
    printf "disk C:          sampler total %.0f free-to-caller %.0f   df size %.0f avail %.0f   diff %.0f / %.0f bytes\n", diskTotal, diskAvail, dfSize, dfAvail, diskTotal - dfSize, diskAvail - dfAvail
    if (sampleUs != "") printf "one full sample through the real calls: %s us (%s, us each)\n", sampleUs, parts
  }
' "$out"
