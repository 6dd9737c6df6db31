#!/usr/bin/env bash
# The alarm reaches the sound server: a PulseAudio server with a null output records what the real
# program plays during a 2-second countdown under Xvfb. There must be silence until time up and
# then two separate bursts. Where no sound server can be started, says so and passes: the logic
# tests still show that the beeps and the alarm are asked for.
set -euo pipefail
kestrune=$1
here=$(dirname "$0")
source "$here/xvfb_session.sh"

if ! command -v pulseaudio >/dev/null || ! command -v parec >/dev/null; then
  echo "SKIPPED: no PulseAudio here to record the alarm"
  exit 0
fi
scratch=$(mktemp -d)
export XDG_RUNTIME_DIR=$scratch/runtime PULSE_SERVER=unix:$scratch/pulse.sock
mkdir -m 700 "$XDG_RUNTIME_DIR"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
  --load="module-null-sink sink_name=ward rate=48000 channels=1" \
  --load="module-native-protocol-unix socket=$scratch/pulse.sock auth-anonymous=1" \
  >"$scratch/pulse.log" 2>&1 &
pulse=$!
cleanup() { kill "$pulse" 2>/dev/null || true; stop_xvfb; rm -rf "$scratch"; }
trap cleanup EXIT
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
if ! pactl info >/dev/null 2>&1; then
  echo "SKIPPED: the sound server did not start"; cat "$scratch/pulse.log"; exit 0
fi
pactl set-default-sink ward

start_xvfb
start_kestrune "$kestrune"
sleep 1  # the sound output opens once the window is drawn
parec -d ward.monitor --format=s16le --rate=48000 --channels=1 --raw "$scratch/out.raw" &
recorder=$!
sleep 0.5
click_at 175 135 && xdotool type 2   # seconds field
click_at 324 18                      # Start
sleep 5
kill "$recorder"; wait "$recorder" 2>/dev/null || true

mapfile -t found < <(python3 "$here/bursts.py" "$scratch/out.raw" 48000 1)
for burst in "${found[@]}"; do echo "burst (start ms, length ms): $burst"; done
[ ${#found[@]} -eq 2 ] || { echo "expected two bursts, found ${#found[@]}"; exit 1; }
read -r first first_len <<<"${found[0]}"
read -r second _ <<<"${found[1]}"
# Start came about 0.9 s into the recording and time up 3 s after it: nothing may sound before.
[ "$first" -ge 3500 ] || { echo "sound before time up, at $first ms"; exit 1; }
[ $((second - first - first_len)) -ge 50 ] || { echo "the two beeps run together"; exit 1; }
echo "alarm sound: passed"
