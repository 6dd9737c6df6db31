# A sound server of the test's own with a null output named "ward", whose monitor records what is
# played: PulseAudio, or with SOUND_SERVER=pipewire PipeWire's pulse layer (with WirePlumber and a
# D-Bus session of its own, which it needs). Source it, then call pulse_up; PULSE_SERVER is set for
# the programs started after it. pulse_down ends the server (SIGKILL by default) and pulse_up starts
# a new one on the same socket, as when a desktop's sound server crashes and is restarted.
# PULSE_PID is the process that serves the pulse protocol.

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

PULSE_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR=$PULSE_DIR/runtime PULSE_SERVER=unix:$PULSE_DIR/runtime/pulse/native
mkdir -m 700 "$XDG_RUNTIME_DIR"
SOUND_PIDS=()

pulse_up() {
  if [ "${SOUND_SERVER:-pulseaudio}" = pipewire ]; then
    if [ -z "${SOUND_BUS_PID:-}" ]; then
      read -r SOUND_BUS SOUND_BUS_PID < <(dbus-daemon --session --fork --print-address=1 \
        --print-pid=1 | paste -s -d' ')
    fi
    local pw
    for pw in pipewire wireplumber pipewire-pulse; do
      DBUS_SESSION_BUS_ADDRESS=$SOUND_BUS $pw >>"$PULSE_DIR/pulse.log" 2>&1 &
      SOUND_PIDS+=($!)
      [ $pw = pipewire ] && sleep 0.2
    done
  else
    mkdir -p "$XDG_RUNTIME_DIR/pulse"
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
      --load="module-native-protocol-unix socket=$XDG_RUNTIME_DIR/pulse/native auth-anonymous=1" \
      >>"$PULSE_DIR/pulse.log" 2>&1 &
    SOUND_PIDS+=($!)
  fi
  PULSE_PID=${SOUND_PIDS[-1]}
  for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.05; done
  [ "${SOUND_SERVER:-pulseaudio}" != pipewire ] || pipewire_realtime
  pactl load-module module-null-sink sink_name=ward rate=48000 channels=1 >/dev/null &&
    for _ in $(seq 100); do
      pactl set-default-sink ward 2>/dev/null && grep -q "Default Sink: ward" <(pactl info) &&
        return 0
      sleep 0.05
    done
  cat "$PULSE_DIR/pulse.log"
  return 1
}

# On a desktop PipeWire's graph runs in realtime threads, which rtkit grants; as root PipeWire takes
# them itself. For a user here, with no rtkit, they are granted as rtkit would, with sudo where it
# can: without them a busy machine starves the graph, which then misses cycles, every stream in it.
pipewire_realtime() {
  { [ "$(id -u)" -ne 0 ] && as_root true 2>/dev/null; } || return 0
  local pid task
  for pid in "${SOUND_PIDS[@]}"; do
    for task in /proc/"$pid"/task/*; do
      task=${task##*/}
      [ "$task" != "$pid" ] || continue
      case $(cat "/proc/$pid/task/$task/comm") in
        data-loop* | "$(cat "/proc/$pid/comm")") as_root chrt -f -p 88 "$task" >/dev/null 2>&1 || true ;;
      esac
    done
  done
}

pulse_down() {
  local pid
  for pid in "${SOUND_PIDS[@]}"; do kill "-${1:-KILL}" "$pid" 2>/dev/null || true; done
  for pid in "${SOUND_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  SOUND_PIDS=()
}

pulse_cleanup() {
  kill -CONT "${PULSE_PID:-}" 2>/dev/null || true
  pulse_down
  kill "${SOUND_BUS_PID:-}" 2>/dev/null || true
  rm -rf "$PULSE_DIR"
}

# Records the monitor of "ward" in the background until record_stop, which sets BURSTS to the bursts
# heard: one line each, its start in ms of the wall clock, its length in ms, its pitch in Hz and
# its level in dB of full scale.
record_start() {
  xruns_start
  STOLEN_AT_START=$(stolen_ms)
  rm -f "$PULSE_DIR/recording"
  "$PYTHON" "$(dirname "${BASH_SOURCE[0]}")/record_bursts.py" ward.monitor "$PULSE_DIR/recording" \
    >"$PULSE_DIR/bursts" &
  RECORDER_PID=$!
  for _ in $(seq 100); do [ -e "$PULSE_DIR/recording" ] && return 0; sleep 0.05; done
  echo "the recorder did not start" >&2
  return 1
}

record_stop() {
  kill "${RECORDER_PID:-}" "${XRUNS_PID:-}" 2>/dev/null || true
  wait "${RECORDER_PID:-}" "${XRUNS_PID:-}" 2>/dev/null || true
  BURSTS=$(cat "$PULSE_DIR/bursts")
  STOLEN_WHILE_RECORDING=$(($(stolen_ms) - ${STOLEN_AT_START:-0}))
}

# How long, in ms summed over its CPUs, the host of a virtual machine has kept them from it (steal
# time; 0 on a machine of its own). Realtime threads cannot help there: a stall of a few tens of ms
# misses cycles whatever the priorities inside.
stolen_ms() {
  awk -v hz="$(getconf CLK_TCK)" '$1 == "cpu" { print int($9 * 1000 / hz) }' /proc/stat
}

# While recording on PipeWire, how often each node of the graph missed its cycle, by PipeWire's own
# counts: record_start starts counting, record_stop stops, and xruns_report prints them. When the
# alarm is heard other than as played, the alarm's stream ("Kestrune") alone missing cycles means a
# stutter in the alarm, the recorder ("parec") alone a gap in the recording, and both the whole
# graph starved of the CPU. PipeWire 1.0 and later count in pw-top's batch mode; before it (Debian
# 12), pw-profiler logs every cycle, and a node that had not finished when the cycle ended missed it.
xruns_start() {
  XRUNS_PID=""
  [ "${SOUND_SERVER:-pulseaudio}" = pipewire ] || return 0
  if grep -q -- --batch-mode <(pw-top --help 2>&1); then
    pw-top -b -n 100000 >"$PULSE_DIR/xruns" 2>/dev/null &
  else
    # Run where it may leave its plot scripts when it stops.
    (cd "$PULSE_DIR" && exec pw-profiler -o profile) >"$PULSE_DIR/xruns" 2>/dev/null &
  fi
  XRUNS_PID=$!
}
# xruns_report sets MACHINE_HELD to yes where the host held the CPUs for 100 ms or more, or where
# the recorder missed cycles, the alarm's stream too or not: a recording with gaps of its own, which
# no program could pass (seen on 2026-12-10: "Kestrune missed 0 cycles", "parec missed 6 cycles",
# and one beep heard as 100 ms, a 37 ms hole, then 40 ms). The alarm's stream alone missing cycles
# is the program's stutter, and fails.
xruns_report() {
  echo "  the host held this machine's CPUs for ${STOLEN_WHILE_RECORDING:-?} ms while recording"
  MACHINE_HELD=no
  [ "${STOLEN_WHILE_RECORDING:-0}" -lt 100 ] || MACHINE_HELD=yes
  [ -n "${XRUNS_PID:-}" ] || return 0
  local report
  report=$(xruns_counts)
  echo "$report"
  if grep '^  parec missed [1-9]' <<<"$report" >/dev/null; then
    MACHINE_HELD=yes
  fi
}
xruns_counts() {
  if [ -e "$PULSE_DIR/profile" ]; then
    # A follower's columns are its id, five times and its state: 3 when it finished its cycle.
    awk -F'\t' 'FILENAME == ARGV[1] { if (match($0, /logging follower [0-9]+ \("[^"]*"/)) {
                              split(substr($0, RSTART + 17, RLENGTH - 18), f, " [(]\"")
                              name[f[1]] = f[2] }
                            next }
                { cycles++; if ($1 + 0 > 1.3 * $4) late++
                  for (c = 5; c + 6 <= NF; c += 8) if ($c ~ /[0-9]/ && $(c + 6) != 3) missed[$c]++ }
                END { printf "  %d cycles, %d of them over 1.3 periods long\n", cycles, late
                      for (id in missed) printf "  %s missed %d cycles\n", name[id], missed[id] }' \
      "$PULSE_DIR/xruns" "$PULSE_DIR/profile"
  else
    awk '$1 ~ /^[RSIC]$/ && ($NF == "Kestrune" || $NF == "parec") { if ($9 + 0 > most[$NF]) most[$NF] = $9 + 0; seen[$NF] = 1 }
         END { for (n in seen) printf "  %s missed %d cycles\n", n, most[n] }' "$PULSE_DIR/xruns"
  fi
}
