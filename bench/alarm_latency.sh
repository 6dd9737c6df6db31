#!/usr/bin/env bash
# Alarm latency against a PulseAudio server with a null output: bench/alarm_latency.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh pulseaudio pulseaudio-utils
scripts/build.sh >/dev/null
source tests/e2e/pulse_session.sh
start_pulse
trap stop_pulse EXIT
QT_QPA_PLATFORM=offscreen build/app/kestrune_alarm_latency "${1:-5}" 2>/dev/null
