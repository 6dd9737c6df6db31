#!/usr/bin/env bash
# The alarm reaches the sound server: the real program under Xvfb, a sound server of the test's own
# with a null output (PulseAudio, or PipeWire with SOUND_SERVER=pipewire), and a recorder on its
# monitor that times every block by the wall clock.
# Usage: alarm_sound_test.sh KESTRUNE SCENARIO [RUNNER...], where RUNNER (wine, say) starts the
# program, and SCENARIO is
#   five     a countdown heard as two beeps, none before time up; then four more, two beeps each
#   restart  the server killed while a countdown runs and its alarm is ready: time up on time and
#            the window answers; a new server started, and the next alarm is heard
#   late     the program started before any server; a server started; the next alarm is heard
#   stopped  the server stopped (SIGSTOP) through time up: the window turns red on time and answers
#   paused   a countdown paused in its last seconds, after the alarm was made ready: the alarm's
#            output is paused at the server once left unused 15 s; resumed, the alarm is heard
# Without a sound server here it is skipped (exit 77); a server that does not start fails it.
set -euo pipefail
kestrune=$1
scenario=${2:-five}
runner=("${@:3}")
here=$(dirname "$0")
# A recording made while the machine was held up, by its host (steal time), or with the recorder
# missing cycles of the sound server's graph, measures the machine rather than the program: a
# check that fails on such a recording runs again, after a pause, up to five times in all, and the
# last run's result stands. (Seen on 2026-12-10: a virtual machine's host held it for up to 2.8 s
# within one 15 s recording; on 2026-12-11, three recordings in a row held, over 40 s.)
ATTEMPTS=5
if [ -z "${ALARM_ATTEMPT:-}" ]; then
  for ((attempt = 1; attempt < ATTEMPTS; attempt++)); do
    status=0
    ALARM_ATTEMPT=$attempt "$0" "$@" || status=$?
    [ "$status" -eq 75 ] || exit "$status"
    echo "${SOUND_SERVER:-pulseaudio}, $scenario: the machine was held up while recording;" \
      "once more"
    sleep 5
  done
  ALARM_ATTEMPT=$ATTEMPTS exec "$0" "$@"
fi
source "$here/xvfb_session.sh"

server=${SOUND_SERVER:-pulseaudio}
[ "$server" = pipewire ] && needed="pipewire wireplumber pipewire-pulse dbus-daemon parec" ||
  needed="pulseaudio parec"
# shellcheck disable=SC2086
require $needed
source "$here/pulse_session.sh"
at_exit 'record_stop >/dev/null 2>&1 || true; pulse_cleanup'

reset_seconds=2 under_wine=no
if [ "${runner[0]:-}" = wine ]; then
  under_wine=yes
  # Reset takes the notice's icon away, and Wine's explorer then waits 2 s for a window manager to
  # withdraw the emptied tray window before it answers; Xvfb has no window manager.
  reset_seconds=5
  # Wine's PulseAudio driver reports each time its stream ran dry, stamped with Wine's clock.
  runner=(env WINEDEBUG=-all,+timestamp,warn+pulse "${runner[@]}")
fi
give_up() {
  [ "${MACHINE_HELD:-no}" = yes ] && [ "$ALARM_ATTEMPT" -lt "$ATTEMPTS" ] && exit 75
  exit 1
}
FAIL_CONTEXT="$server, $scenario"

# Runs a countdown of SECONDS from idle or time up and waits until the window is red; sets STARTED,
# RUNNING and RED, in ms of the wall clock. Fails unless time up is on time, as on_time has it.
countdown() {
  if background_is red; then
    click_button reset
    wait_colour idle "$reset_seconds" || fail "Reset did not answer"
  fi
  count_down "$1" || fail "no countdown"
  on_time "$1" || fail "time up not on time"
}

# The wall-clock ms of each time Wine's PulseAudio driver reported that its stream ran dry. Wine
# stamps its messages with seconds of CLOCK_MONOTONIC_RAW.
wine_underflows() {
  local offset
  offset=$("$PYTHON" -c 'import time
print(round((time.time() - time.clock_gettime(time.CLOCK_MONOTONIC_RAW)) * 1000))')
  awk -F: -v o="$offset" '/pulse_underflow_callback/ {printf "%.0f\n", $1 * 1000 + o}' \
    "$PROGRAM_ERRORS"
}

# Stops recording. Under Wine, a gap of at most 300 ms is the driver's, not the program's, where
# Wine's own driver reported its stream dry in the gap or during the sound before it (from 70 ms
# before that sound as recorded: the driver may report only its first shortfall, and stay behind
# for the rest of the beep). The driver keeps 30 ms queued at the server and refills it from a
# thread of its own, which a busy machine holds up now and then. The program cannot reach that
# queue, and Windows has no such driver. Pieces no longer together than a beep on either side of
# such a gap count as one beep, their lengths added, marked "holed": the driver drops what was due
# while it ran dry, so it may be up to 40 ms short. The beep after any other such gap, and a beep
# during which the driver ran dry (its hole too short to part it in two), are marked "dry". Either
# way the two beeps of that alarm need not be 120 ms apart. A gap with no such report still counts
# as two beeps.
record_heard() {
  record_stop
  [ "$under_wine" = yes ] || return 0
  local dry
  dry=$(wine_underflows | paste -sd' ')
  [ -z "$dry" ] || echo "  Wine's driver ran dry at (wall-clock ms): $dry"
  BURSTS=$(echo "$BURSTS" | awk -v dry="$dry" '
    BEGIN { n = split(dry, at, " ") }
    function ran_dry(from, to, i) {
      for (i = 1; i <= n; i++) if (at[i] >= from - 20 && at[i] <= to + 20) return 1
      return 0
    }
    function flush() {
      if (mark == "" && ran_dry(start - 50, end)) mark = " dry"
      printf "%.0f %.0f %s %s %s%s\n", start, span, pitch, level, pos, mark
    }
    NF >= 2 {
      next_mark = ""
      if (held) {
        if ($1 - end <= 300 && ran_dry(start - 50, $1)) {
          if (span + $2 <= 160) {
            printf "  one beep: a gap at %.0f, where the Wine driver ran dry\n", end > "/dev/stderr"
            span += $2; end = $1 + $2; mark = " holed"
            next
          }
          printf "  a gap at %.0f, where the Wine driver ran dry\n", end > "/dev/stderr"
          next_mark = " dry"
        }
        flush()
      }
      start = $1; span = $2; end = $1 + $2; pitch = $3; level = $4; pos = $5; mark = next_mark
      held = 1
    }
    END { if (held) flush() }')
}

# Checks that every burst of BURSTS is a beep as the program makes it (150 ms of 1000 Hz, its
# loudest sample at -6 dB of full scale), within 10 ms, 5 % and 3 dB, and that the two beeps of
# each alarm are 120 ms apart, within 15 ms, unless record_heard marked one. The pitch is counted
# from zero crossings, so that a hole where Wine's driver ran dry lowers it: a marked beep's may be
# as much lower as 40 ms of silence in it would make it. On PulseAudio the recording of an alarm's
# first beep now and then lacks up to 30 ms of its start, and the gap after it is as much longer:
# the server rewinds its output to start the alarm at once, and its monitor hands the recorder the
# samples it had before. PipeWire, which never rewinds, records every beep whole.
check_beeps() {
  local cut=0
  [ "$server" != pulseaudio ] || cut=30
  echo "$1" | awk -v cut=$cut '
    { short = $6 == "holed" ? 40 : (NR % 2) * cut
      if ($2 < 140 - short || $2 > 160) bad = bad sprintf(" a beep %d ms long;", $2)
      lowest = $6 == "" ? 950 : 950 * ($2 - 40) / $2
      if ($3 < lowest || $3 > 1050) bad = bad sprintf(" a beep at %d Hz;", $3)
      if ($4 < -9 || $4 > -3) bad = bad sprintf(" a beep at %.1f dB;", $4)
      if (NR % 2 == 0 && $6 first == "" && ($5 - start < 255 || $5 - start > 285))
        bad = bad sprintf(" beeps %d ms apart;", $5 - start - 150)
      start = $5 - 150 + $2; first = $6 }
    END { if (bad) { print "not the alarm as played:" bad; exit 1 } }' || { xruns_report; give_up; }
}

# Checks that BURSTS (lines as record_bursts.py prints them) hold COUNT beeps as played, the first
# of them no earlier than the countdown's time up and at most 500 ms after the window turned red.
check_heard() {
  local bursts=$1 count=$2 seconds=$3 first
  echo "$bursts" | sed 's/^/  burst (wall-clock ms, length ms, Hz, dB, ms into the recording): /'
  [ "$(echo "$bursts" | grep -c .)" -eq "$count" ] ||
    { xruns_report; fail "expected $count bursts, found $(echo "$bursts" | grep -c .)"; }
  # The first burst's start without a pipe: echo writes line by line, and a head that ended after
  # the first line failed echo's next write, which pipefail and set -e made a silent exit.
  first=${bursts%%$'\n'*}
  first=${first%% *}
  echo "  first sound $((first - RED)) ms after the window turned red"
  [ "$first" -ge $((STARTED + (seconds + 1) * 1000 - 100)) ] ||
    fail "sound $((first - STARTED)) ms after Start, before time up"
  [ "$first" -le $((RED + 500)) ] || fail "sound $((first - RED)) ms after time up"
  check_beeps "$bursts"
}

start_xvfb
case $scenario in
  five)
    pulse_up || fail "the sound server did not start"
    start_kestrune "${runner[@]}" "$kestrune"
    record_start
    countdown 2
    sleep 1
    record_heard
    check_heard "$BURSTS" 2 2
    # Every later alarm is heard too, not only the first few.
    record_start
    for _ in 1 2 3 4; do countdown 1; sleep 0.6; done
    record_heard
    if [ "$(echo "$BURSTS" | grep -c .)" -ne 8 ]; then
      echo "$BURSTS" | sed 's/^/  burst (wall-clock ms, length ms, Hz, dB, ms into the recording): /'
      xruns_report
      fail "four more alarms gave $(echo "$BURSTS" | grep -c .) bursts, not 8"
    fi
    check_beeps "$BURSTS"
    ;;
  restart)
    pulse_up || fail "the sound server did not start"
    start_kestrune "${runner[@]}" "$kestrune"
    (sleep 2 && pulse_down KILL) & # the alarm is made ready at the first tick
    killer=$!
    countdown 3
    wait "$killer"
    pulse_up
    record_start
    countdown 2
    sleep 1
    record_heard
    check_heard "$BURSTS" 2 2
    ;;
  late)
    start_kestrune "${runner[@]}" "$kestrune"
    countdown 1 # no server: silent, and nothing else changes
    pulse_up || fail "the sound server did not start"
    record_start
    countdown 2
    sleep 1
    record_heard
    check_heard "$BURSTS" 2 2
    ;;
  stopped)
    pulse_up || fail "the sound server did not start"
    start_kestrune "${runner[@]}" "$kestrune"
    (sleep 2 && kill -STOP "$PULSE_PID") &
    stopper=$!
    countdown 3
    wait "$stopper"
    answered=$(now_ms)
    click_button reset
    wait_colour idle 1 || fail "the window does not answer while the server is stopped"
    echo "  Reset answered in $(($(now_ms) - answered)) ms"
    kill -CONT "$PULSE_PID"
    ;;
  paused)
    pulse_up || fail "the sound server did not start"
    start_kestrune "${runner[@]}" "$kestrune"
    type_into seconds 5
    click_button start
    sleep 2
    click_button pause
    wait_colour paused 2 || fail "not paused"
    corked() { pactl list sink-inputs | grep "Corked: $1" >/dev/null; } # the alarm's is the only one
    corked no || fail "no running alarm output at the server once the alarm was made ready"
    sleep 17
    corked yes || fail "the alarm's output still runs at the server 17 s after the pause"
    record_start
    # Paused with 3 s or 4 s left; time up at most 5 s after Start.
    STARTED=$(($(date +%s%3N) - 2000))
    click_button start
    wait_colour running 2 || fail "not running after Start"
    RUNNING=$(date +%s%3N)
    wait_colour red 7 || fail "not red at time up"
    RED=$(date +%s%3N)
    sleep 1
    record_heard
    check_heard "$BURSTS" 2 2
    ;;
  *) echo "unknown scenario $scenario"; exit 2 ;;
esac
echo "alarm sound on $server, $scenario: passed"
