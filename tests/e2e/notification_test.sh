#!/usr/bin/env bash
# The desktop notification at time up, on a D-Bus session and an X server of the test's own. The
# bus starts no service by itself, so the test decides whether a notification server runs.
# Usage: notification_test.sh KESTRUNE SCENARIO
#   served   dunst serves notifications; dbus-monitor sees Notify at time up (summary "时间到！",
#            the name in the body, critical urgency, the default action and "知道了"); activating
#            it brings the window up over the notification, which dunst shows on top of it, and
#            closes it; at the next time up, "知道了" for another id does nothing, and for its own
#            closes it
#   none     no notification server: the countdown still turns red on time
#   stopped  the bus itself is stopped (SIGSTOP) while the program runs: the countdown still turns
#            red on time, Reset still answers, and Exit still ends the program at once
#   lost     the bus ends while the program runs, and its address then takes connections and never
#            answers, as a hung bus does: connecting again at time up hangs, yet the countdown turns
#            red on time and Exit ends the program within 3 s
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
PRIVATE_BUS_CONFIG=$here/session_bus.conf source "$here/private_bus.sh"
kestrune=$1
scenario=$2
source "$here/xvfb_session.sh"
source "$here/notification_session.sh"
calls=$NOTIFY_LOG
bus_pid=$(dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
  org.freedesktop.DBus.GetConnectionUnixProcessID string:org.freedesktop.DBus | awk '/uint32/ {print $2}')
cleanup() {
  kill -CONT "$bus_pid" 2>/dev/null || true
  kill "${SERVER:-}" 2>/dev/null || true
  notifications_down
  rm -f "$calls.bus"
}
at_exit cleanup
start_xvfb

# Waits up to 3 s until dbus-monitor has seen a call of METHOD; prints it.
seen() {
  wait_until 3 grep -q "member=$1\$" "$calls" || { echo "no $1 call seen"; cat "$calls"; return 1; }
  awk -v m="member=$1" '$0 ~ m"$" {on = 1; print; next} /^method call|^signal|^method return|^error/ {on = 0} on' "$calls"
}

case $scenario in
  served)
    notifications_up
    start_kestrune "$kestrune"
    type_into name Li
    count_down 2
    on_time 2 || exit 1
    notify=$(seen Notify)
    for part in 'string "Kestrune"' 'string "时间到！"' 'string "Li"' 'string "default"' \
      'string "知道了"' 'string "urgency"' 'byte 2' 'int32 0'; do
      grep -qF "$part" <<<"$notify" || { echo "Notify lacks $part:"; echo "$notify"; exit 1; }
    done
    wait_last_call '^Notify 0 [0-9]+ Li$' || exit 1
    id=$(notify_calls | awk '{print $3}')
    # Activated (as a click on it would, sent here by hand): the window comes up over it, and time
    # up is answered.
    wait_colour_at 100 30 "144,0,0" 2 || { echo "the notification is not over the window"; exit 1; }
    action() {
      dbus-send --session --type=signal /org/freedesktop/Notifications \
        org.freedesktop.Notifications.ActionInvoked "uint32:$1" "string:$2"
    }
    action "$id" default
    wait_colour_at 100 30 "0,128,128" 2 || { echo "activating it did not bring the window up"; exit 1; }
    wait_last_call "^CloseNotification $id\$" || exit 1
    click_button reset
    count_down 1
    wait_last_call '^Notify 0 [0-9]+ Li$' || exit 1
    id=$(notify_calls | tail -n 1 | awk '{print $3}')
    action $((id + 1)) acknowledge
    sleep 0.5
    wait_last_call '^Notify ' || { echo "another notification's action answered this one"; exit 1; }
    action "$id" acknowledge
    wait_last_call "^CloseNotification $id\$" || exit 1
    notify_calls | sed 's/^/  notification call: /'
    ;;
  none)
    start_kestrune "$kestrune"
    count_down 2
    on_time 2 || exit 1
    ;;
  stopped)
    start_kestrune "$kestrune"
    kill -STOP "$bus_pid"
    count_down 2
    on_time 2 || exit 1
    click_button reset
    wait_colour idle 2 || { echo "Reset did not answer"; exit 1; }
    click_button exit
    ended_within 3 Exit
    ;;
  lost)
    address=unix:path=$calls.bus
    read -r own_bus < <(dbus-daemon --config-file="$here/session_bus.conf" --address="$address" \
      --fork --print-pid=1)
    DBUS_SESSION_BUS_ADDRESS=$address start_kestrune "$kestrune"
    kill "$own_bus"
    rm -f "$calls.bus"
    "$PYTHON" -c 'import socket, sys, time
s = socket.socket(socket.AF_UNIX)
s.bind(sys.argv[1])
s.listen(16)
taken = []
while True:
    taken.append(s.accept())' "$calls.bus" &
    SERVER=$!
    count_down 2
    on_time 2 || exit 1
    exited=$(date +%s%3N)
    click_button exit
    ended_within 3 Exit
    echo "ended $(($(date +%s%3N) - exited)) ms after Exit"
    ;;
  *)
    echo "unknown scenario $scenario" >&2
    exit 2
    ;;
esac
echo "notification, $scenario: passed"
