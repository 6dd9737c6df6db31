# A PulseAudio server of our own with a null output named "ward", for recording what is played;
# "ward_capture" is an input carrying the same sound, for recorders that list no monitors.
# Source it, then call start_pulse; it sets PULSE_SERVER for the programs started after it.

start_pulse() {
  PULSE_DIR=$(mktemp -d)
  export XDG_RUNTIME_DIR=$PULSE_DIR/runtime PULSE_SERVER=unix:$PULSE_DIR/pulse.sock
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
    --load="module-null-sink sink_name=ward rate=48000 channels=1" \
    --load="module-remap-source master=ward.monitor source_name=ward_capture" \
    --load="module-native-protocol-unix socket=$PULSE_DIR/pulse.sock auth-anonymous=1" \
    >"$PULSE_DIR/pulse.log" 2>&1 &
  PULSE_PID=$!
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  pactl info >/dev/null 2>&1 || { cat "$PULSE_DIR/pulse.log"; return 1; }
  pactl set-default-sink ward
}

stop_pulse() {
  kill "${PULSE_PID:-}" 2>/dev/null || true
  rm -rf "${PULSE_DIR:-/nonexistent}"
}
