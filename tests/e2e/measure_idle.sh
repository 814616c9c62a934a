#!/usr/bin/env bash
# Start-up time to a shown main window, then the idle program's CPU and memory
# over a minute (the monitor samples twice a second, the engine ticks once).
# Run inside the Wine environment:  scripts/wine.sh exec tests/e2e/measure_idle.sh BUILD_DIR [SECONDS]
set -euo pipefail
build="${1:?build dir with tarvex.exe}"
secs="${2:-60}"
version=$(sed -n 's/^#define TARVEX_VERSION_STRING "\(.*\)"$/\1/p' "$build/generated/tarvex_version.h")
[[ -n "$version" ]] || { echo "no version header in $build/generated" >&2; exit 1; }
work="$(mktemp -d)"
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
cp "$build/tarvex.exe" "$work/"
cd "$work"
wineserver -p >/dev/null 2>&1 || true
wine cmd /c exit >/dev/null 2>&1 || true   # services up, so only our start is timed

start=$(date +%s.%N)
wine ./tarvex.exe >/dev/null 2>&1 &
until xwininfo -root -tree 2>/dev/null | grep -qF "\"Tarvex v$version\""; do sleep 0.01; done
shown=$(date +%s.%N)
printf 'start-up to shown window: %.2f s\n' "$(echo "$shown - $start" | bc)"

pid=$(pgrep -f 'tarvex.exe' | head -1)
sleep 5   # let the first paints and samples settle
hz=$(getconf CLK_TCK)
read -r u0 s0 < <(awk '{print $14, $15}' "/proc/$pid/stat")
t0=$(date +%s.%N)
sleep "$secs"
read -r u1 s1 < <(awk '{print $14, $15}' "/proc/$pid/stat")
t1=$(date +%s.%N)
cpu=$(echo "scale=3; 100 * (($u1 + $s1) - ($u0 + $s0)) / $hz / ($t1 - $t0)" | bc)
rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
printf 'idle CPU over %s s: %s %% of one core\n' "$secs" "$cpu"
printf 'resident memory: %s KiB\n' "$rss"
