#!/usr/bin/env bash
# Memory and the cost of waiting, Kestrune against the reference, under Xvfb: resident and
# proportional set size 3 s after start, then CPU time and context switches (all threads) over
# SECONDS (20 by default) idle, then the same while a countdown runs, then after Reset with the
# caret in the hours field, and each time how often the event loop
# woke (blocking polls of the main thread, counted by strace over the next SECONDS). The
# reference's timer always ticks, so its idle and running figures are the same kind.
# Usage: bench/cost.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh xvfb xdotool x11-utils strace bc
scripts/build.sh >/dev/null
seconds=${1:-20}
source tests/e2e/xvfb_session.sh
start_xvfb
# A runtime folder of its own, as every desktop session has: without one, Qt makes one in /tmp and
# says so, which a start-up on a desktop never pays for.
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"
at_exit 'rm -rf "$XDG_RUNTIME_DIR"'
at_exit 'kill $(jobs -p) 2>/dev/null || true'

memory() { awk '/^Rss:/ {r=$2} /^Pss:/ {p=$2} END {printf "RSS %d KiB, PSS %d KiB", r, p}' \
  "/proc/$1/smaps_rollup"; }
# CPU nanoseconds and context switches of every thread, read together.
counters() {
  local cpu=0 switches=0 task
  for task in /proc/"$1"/task/*; do
    cpu=$((cpu + $(cut -d' ' -f1 "$task/schedstat")))
    switches=$((switches + $(awk '/ctxt_switches/ {s += $2} END {print s}' "$task/status")))
  done
  echo "$cpu $switches"
}
waiting() {
  local before after
  read -r -a before <<<"$(counters "$1")"
  sleep "$seconds"
  read -r -a after <<<"$(counters "$1")"
  printf "CPU %.1f ms, %d context switches in %d s" \
    "$(echo "(${after[0]} - ${before[0]}) / 1000000" | bc -l)" \
    $((after[1] - before[1])) "$seconds"
}

# Sleeps of the main thread's event loop that ended, over SECONDS: polls that could block, left
# out the waits for the X connection to take more output.
wakeups() {
  local trace
  trace=$(mktemp)
  timeout "$seconds" strace -f -p "$1" -e trace=poll,ppoll -o "$trace" 2>/dev/null || true
  printf "%d event-loop wake-ups in %d s" \
    "$(grep "^$1 " "$trace" | grep -v POLLOUT | grep -c -v -E ', 0\) += | \{tv_sec=0, tv_nsec=0\}')" \
    "$seconds"
  rm -f "$trace"
}
report() { echo "$(memory "$1"); $(waiting "$1"); $(wakeups "$1")"; }

start_kestrune build/app/kestrune
sleep 3
echo "kestrune idle:      $(report "$APP_PID")"
click_at 114 135 && xdotool type 20   # minutes
click_at 324 18                       # Start
sleep 3
echo "kestrune running:   $(report "$APP_PID")"
click_at 324 47 && click_at 324 76    # Pause, Reset: the focus goes to the hours field
sleep 12                              # past the caret's blinking
echo "kestrune reset:     $(report "$APP_PID")"
kill "$APP_PID"

build/bench/kestrune_reference 2>/dev/null &
reference=$!
sleep 3
echo "reference (ticks):  $(report "$reference")"
kill "$reference"
