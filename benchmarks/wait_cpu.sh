#!/usr/bin/env bash
# Processor time of the process during 1650 ms waits (WaitPumpingMessages with
# the main window open), as a share of the wait; goal: under 2 %. Measured
# twice: inside the process with GetProcessTimes, and from Linux over the
# middle of the run through /proc. "spin" as the first argument measures a
# busy loop instead, to show what the figures look like for one.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../scripts/common.sh"
mode=${1:-wait}
build_program --target wait_cpu >/dev/null
FORCE_XVFB=1 start_display
trap 'stop_wine; stop_display' EXIT
start_wine
out=$(mktemp)
wine "$BUILD_DIR/benchmarks/wait_cpu.exe" 1650 5 "$mode" </dev/null >"$out" 2>&1 &
bench=$!
sleep 2  # start-up and first paint are not part of the measurement
pid=$(pgrep -f 'wait_cpu.exe' | head -1)
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(ticks); sleep 5; after=$(ticks)
wait "$bench" || true
cat "$out"
hz=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$hz" 'BEGIN { printf "from Linux: %.2f %% of one processor over 5 s of waiting\n", 100 * t / hz / 5 }'
rm -f "$out"
