#!/usr/bin/env bash
# Alarm latency against a PulseAudio server with a null output, with the machine idle and then
# with every core busy with another program: bench/alarm_latency.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh pulseaudio pulseaudio-utils
scripts/build.sh >/dev/null
source tests/e2e/pulse_session.sh
trap 'kill $(jobs -p) 2>/dev/null || true; pulse_cleanup' EXIT
pulse_up
export QT_QPA_PLATFORM=offscreen
echo "== idle machine"
build/app/kestrune_alarm_latency "${1:-5}" 2>/dev/null
echo "== every core busy"
for _ in $(seq "$(nproc)"); do (while :; do :; done) & done
build/app/kestrune_alarm_latency "${1:-5}" 2>/dev/null
