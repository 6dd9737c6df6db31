#!/usr/bin/env bash
# Time up calls until it is answered: the real program under Xvfb, its sound recorded from a
# PulseAudio server of its own, its notifications served by dunst on a D-Bus session of its own.
# Three windows, each with a session of its own, run side by side, so that their real waits overlap:
#   alone    a 3 s countdown left alone is heard at red, then at least twice more in the next 75 s,
#            each call 10 to 35 s after the one before; its one notification is updated in place
#            (the id it was given) and says "已超时 1 分钟"; Exit withdraws it; no file written
#            meanwhile, in the home, runtime or temporary folders, holds the patient's name
#   clicked  one click on the red window's background: no sound for the next 70 s, the window
#            still red; the notification withdrawn
#   reset    Reset 2 s after time up: no sound for the next 40 s; then at a new time up, SIGTERM
#            ends the program and its notification is withdrawn
# Usage: reminders_test.sh KESTRUNE [alone|clicked|reset]: one window, or all three.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
kestrune=$1
role=${2:-}

source "$here/common.sh"
require Xvfb xdotool dbus-run-session dunst dunstctl pulseaudio parec "$PYTHON"

if [ -z "$role" ]; then
  pids=()
  for role in alone clicked reset; do
    "$0" "$kestrune" "$role" > >(sed -u "s/^/$role: /") 2>&1 &
    pids+=($!)
  done
  status=0
  for pid in "${pids[@]}"; do wait "$pid" || status=1; done
  [ $status -eq 0 ] && echo "reminders: passed"
  exit $status
fi

PRIVATE_BUS_CONFIG=$here/session_bus.conf source "$here/private_bus.sh"
source "$here/xvfb_session.sh"
source "$here/pulse_session.sh"
source "$here/notification_session.sh"
at_exit 'record_stop >/dev/null 2>&1 || true; pulse_cleanup; notifications_down'

# The calls heard while recording, in ms after the window turned red: two beeps less than a
# second apart are one call.
calls_heard() {
  echo "$BURSTS" | awk -v red="$RED" 'NF >= 2 { if (!n++ || $1 - last > 1000) print $1 - red; last = $1 }'
}

# Records while a 3 s countdown runs to red; the recording goes on.
countdown_recorded() {
  record_start || exit 1
  count_down 3 || exit 1
  on_time 3 || exit 1
}

# Stops recording at the wall-clock ms UNTIL, shows the calls heard, and checks that the first came
# at time up: not before it was due, and at most 500 ms after the window was seen red.
heard_until() {
  sleep_until "$1"
  record_stop
  HEARD=$(calls_heard)
  echo "calls heard, ms after the window was seen red: $(paste -sd' ' <<<"$HEARD")"
  local first=${HEARD%%$'\n'*}
  [ -n "$first" ] && [ $((RED + first)) -ge $((STARTED + 4000 - 100)) ] &&
    [ "$first" -le 500 ] || fail "no call at time up"
}

# Checks that no call began more than 500 ms after the wall-clock ms MOMENT, that of WHAT.
# Usage: silent_after MOMENT WHAT
silent_after() {
  local call
  for call in $HEARD; do
    [ $((RED + call)) -le $(($1 + 500)) ] || fail "a call $((RED + call - $1)) ms after $2"
  done
}

start_xvfb
pulse_up || fail "the sound server did not start"
notifications_up
start_kestrune "$kestrune"
name=Li
[ "$role" != alone ] || name=Pt$RANDOM$RANDOM # found nowhere else
type_into name "$name"

# Fails if a file written since the program started, other than the check's own record of the
# notification calls, holds the patient's name.
no_file_names_the_patient() {
  local found
  found=$(find "$HOME" "$XDG_RUNTIME_DIR" /tmp /var/tmp -xdev -type f -newer "$NOTIFY_LOG.dunstrc" \
    ! -path "$NOTIFY_LOG" -print0 2>/dev/null | xargs -0 -r grep -l -s -F "$name" || true)
  [ -z "$found" ] || fail "$1, files name the patient: $found"
}

case $role in
  alone)
    countdown_recorded
    heard_until $((RED + 75000))
    [ "$(grep -c . <<<"$HEARD")" -ge 3 ] || fail "fewer than two calls after the first"
    awk 'NR > 1 && ($1 - last < 10000 || $1 - last > 35000) { bad = 1 } { last = $1 }
         END { exit bad }' <<<"$HEARD" || fail "calls not 10 to 35 s apart"
    background_is red || fail "no longer red"
    id=$(notify_calls | awk 'NR == 1 {print $3}')
    notify_calls | awk -v id="$id" 'NR == 1 && $2 != 0 || NR > 1 && ($2 != id || $3 != id) { bad = 1 }
                                     END { exit bad }' ||
      fail "the calls did not update the one notification in place"
    notify_calls | grep "^Notify .*$name|已超时 1 分钟\$" >/dev/null || fail "no notification says 已超时 1 分钟"
    no_file_names_the_patient "after time up"
    [ "$(notifications_shown)" -eq 1 ] || fail "dunst shows $(notifications_shown) notifications"
    echo "75 s after red, dunst shows 1 notification"
    click_button exit
    ended_within 3 Exit
    wait_last_call "^CloseNotification $id\$" || exit 1
    no_file_names_the_patient "after Exit"
    ;;
  clicked)
    countdown_recorded
    click_background # the red background
    clicked=$(now_ms)
    heard_until $((clicked + 70000))
    silent_after "$clicked" "the click on the red window"
    background_is red || fail "no longer red after the click"
    id=$(notify_calls | awk 'NR == 1 {print $3}')
    wait_last_call "^CloseNotification $id\$" || exit 1
    ;;
  reset)
    countdown_recorded
    sleep_until $((RED + 2000))
    click_button reset
    wait_colour idle 2 || fail "Reset did not answer"
    reset=$(now_ms)
    heard_until $((reset + 40000))
    silent_after "$reset" "Reset"
    count_down 1 || exit 1
    wait_last_call '^Notify [0-9]+ [0-9]+ Li$' || exit 1
    id=$(notify_calls | tail -n 1 | awk '{print $3}')
    kill -TERM "$APP_PID"
    ended_within 3 SIGTERM
    wait_last_call "^CloseNotification $id\$" || exit 1
    ;;
  *) echo "unknown role $role" >&2; exit 2 ;;
esac
[ "$(notifications_shown)" -eq 0 ] || fail "dunst still shows $(notifications_shown) notifications"
notify_calls | sed 's/^/  notification call: /'
echo "at the end dunst shows no notification"
echo "reminders, $role: passed"
