# A notification server of the check's own, dunst, on the session bus the check runs on, and
# dbus-monitor writing every notification call and reply to NOTIFY_LOG. Source it, then call
# notifications_up; notifications_down ends both.

NOTIFY_LOG=$(mktemp)

notifications_up() {
  # Its notifications over the window's display.
  printf '[global]\n  origin = top-left\n  offset = 480x320\n  width = 300\n' >"$NOTIFY_LOG.dunstrc"
  dunst -config "$NOTIFY_LOG.dunstrc" >/dev/null 2>&1 &
  NOTIFY_SERVER=$!
  wait_until 5 notification_server_named || true
  dbus-monitor --session "type='method_call',interface='org.freedesktop.Notifications'" \
    "type='method_return'" >"$NOTIFY_LOG" 2>/dev/null &
  NOTIFY_MONITOR=$!
}

notification_server_named() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.freedesktop.Notifications | grep -q true
}

notifications_down() {
  kill "${NOTIFY_MONITOR:-}" "${NOTIFY_SERVER:-}" 2>/dev/null || true
  rm -f "$NOTIFY_LOG" "$NOTIFY_LOG.dunstrc"
}

# The notification calls so far, one line each (notify_calls.py says how).
notify_calls() { "$PYTHON" "$(dirname "${BASH_SOURCE[0]}")/notify_calls.py" "$NOTIFY_LOG"; }

# Waits up to 3 s until the last notification call matches PATTERN (an extended regular
# expression), or fails with the calls seen.
wait_last_call() {
  wait_until 3 last_call_is "$1" || { echo "the last notification call is not /$1/:"; notify_calls; return 1; }
}
last_call_is() { notify_calls | tail -n 1 | grep -qE "$1"; }

# How many notifications dunst shows now.
notifications_shown() { dunstctl count displayed; }
