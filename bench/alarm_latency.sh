#!/usr/bin/env bash
# Alarm latency against a sound server with a null output, PulseAudio and then PipeWire, with the
# machine idle and then with every core busy with another program: bench/alarm_latency.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh pulseaudio pulseaudio-utils pipewire pipewire-pulse wireplumber dbus
scripts/build.sh >/dev/null
export QT_QPA_PLATFORM=offscreen
for server in pulseaudio pipewire; do
  (
    export SOUND_SERVER=$server
    source tests/e2e/pulse_session.sh
    busy=()
    trap 'kill "${busy[@]}" 2>/dev/null || true; pulse_cleanup' EXIT
    pulse_up
    echo "== $server, idle machine"
    build/app/kestrune_alarm_latency "${1:-20}" 2>/dev/null | grep -v '^run [0-9]*: alarm'
    for _ in $(seq "$(nproc)"); do (while :; do :; done) & busy+=($!); done
    echo "== $server, every core busy"
    build/app/kestrune_alarm_latency "${1:-20}" 2>/dev/null | grep -v '^run [0-9]*: alarm'
  )
done
