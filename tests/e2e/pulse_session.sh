# A sound server of the test's own with a null output named "ward", whose monitor records what is
# played. Source it, then call pulse_up; PULSE_SERVER is set for the programs started after it.
# pulse_down ends the server (SIGKILL by default) and pulse_up starts a new one on the same socket,
# as when a desktop's sound server crashes and is restarted.

PULSE_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR=$PULSE_DIR/runtime PULSE_SERVER=unix:$PULSE_DIR/pulse.sock
mkdir -m 700 "$XDG_RUNTIME_DIR"

pulse_up() {
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
    --load="module-null-sink sink_name=ward rate=48000 channels=1" \
    --load="module-native-protocol-unix socket=$PULSE_DIR/pulse.sock auth-anonymous=1" \
    >>"$PULSE_DIR/pulse.log" 2>&1 &
  PULSE_PID=$!
  for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.05; done
  pactl info >/dev/null 2>&1 || { cat "$PULSE_DIR/pulse.log"; return 1; }
  pactl set-default-sink ward
}

pulse_down() {
  kill "-${1:-KILL}" "${PULSE_PID:-}" 2>/dev/null || true
  wait "${PULSE_PID:-}" 2>/dev/null || true
  rm -f "$PULSE_DIR/pulse.sock"
}

pulse_cleanup() {
  kill -CONT "${PULSE_PID:-}" 2>/dev/null || true
  pulse_down
  rm -rf "$PULSE_DIR"
}

# Records the monitor of "ward" in the background until record_stop, which sets BURSTS to the bursts
# heard: one line each, its start in ms of the wall clock and its length in ms.
record_start() {
  rm -f "$PULSE_DIR/recording"
  python3 "$(dirname "${BASH_SOURCE[0]}")/record_bursts.py" ward.monitor "$PULSE_DIR/recording" \
    >"$PULSE_DIR/bursts" &
  RECORDER_PID=$!
  for _ in $(seq 100); do [ -e "$PULSE_DIR/recording" ] && return 0; sleep 0.05; done
  echo "the recorder did not start" >&2
  return 1
}

record_stop() {
  kill "${RECORDER_PID:-}" 2>/dev/null || true
  wait "${RECORDER_PID:-}" 2>/dev/null || true
  BURSTS=$(cat "$PULSE_DIR/bursts")
}
