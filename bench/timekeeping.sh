#!/usr/bin/env bash
# How late time up comes against the ideal (start + seconds + 1) for a real countdown on the Qt
# platform layer, with the machine otherwise idle and then with every core busy with another
# program, and each tick's lateness. Usage: bench/timekeeping.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
seconds=${1:-30}
export QT_QPA_PLATFORM=offscreen
echo "== idle machine"
build/bench/kestrune_timeup_latency "$seconds" 2>/dev/null
echo "== every core busy"
for _ in $(seq "$(nproc)"); do (while :; do :; done) & done
trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
build/bench/kestrune_timeup_latency "$seconds" 2>/dev/null
