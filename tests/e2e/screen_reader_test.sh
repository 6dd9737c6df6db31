#!/usr/bin/env bash
# The real program read through AT-SPI, as a screen reader reads it, on a D-Bus session and an X
# server of the test's own, with accessibility switched on before the program starts:
# - every control's name and role, the window a frame named Kestrune;
# - the display's text before, during and after a countdown;
# - the fields' names, values and captions once filled;
# - at time up, a notification becoming showing with the name and "时间到！" within 1 s of the window
#   turning red; and no showing events from the display while it counts.
set -euo pipefail
source "$(dirname "$0")/private_bus.sh"
kestrune=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xvfb_session.sh"
source "$here/accessibility_bus.sh"
reader=("$PYTHON" "$here/atspi_reader.py")
events=$(mktemp)
cleanup() {
  kill "${LISTENER:-}" 2>/dev/null || true
  rm -f "$events"
}
at_exit cleanup
start_xvfb
# As a desktop session does, so that services the bus starts (a notification server) find the display.
dbus-update-activation-environment DISPLAY

screen_reader_on
start_kestrune "$kestrune"
"${reader[@]}" listen "$events" &
LISTENER=$!
for _ in $(seq 100); do
  grep -q '^ready$' "$events" && break
  sleep 0.1
done
grep -q '^ready$' "$events" || { echo "the event listener never started"; exit 1; }

expect() { # WHAT EXPECTED ACTUAL
  [ "$2" = "$3" ] || { echo "$1: '$3', not '$2'"; exit 1; }
}
expect "display before" "00:00:00" "$("${reader[@]}" controls)"

type_into seconds 3
type_into name Li
expect "fields (hours minutes seconds name)" "- - 3 Li" "$("${reader[@]}" fields)"
expect "display with 3 s set" "00:00:03" "$("${reader[@]}" text)"

click_button start
wait_colour running 2 || exit 1
during=$("${reader[@]}" text)
case $during in
  00:00:0[0-3]) ;;
  *) echo "display during the countdown: '$during'"; exit 1 ;;
esac
wait_colour red 6 || exit 1
red=$(date +%s%3N)
expect "display at time up" "Li时间到！" "$("${reader[@]}" text)"

# The notification's showing event, within 1 s of the window turning red (it may come a little before
# the colour poll sees red).
alert=""
until [ -n "$alert" ] || [ "$(date +%s%3N)" -gt $((red + 1000)) ]; do
  alert=$(awk -F'\t' '$2 == "object:state-changed:showing" && $3 == 1 && $4 == "notification"' "$events")
  sleep 0.05
done
[ -n "$alert" ] || { echo "no notification became showing within 1 s of time up"; cat "$events"; exit 1; }
heard=$(cut -f1 <<<"$alert" | head -n 1)
expect "the notification's text" "Li时间到！" "$(cut -f5 <<<"$alert" | head -n 1)"
echo "notification heard $((heard - red)) ms after the window was seen red"
[ $((heard - red)) -le 1000 ] || { echo "the notification came too late"; exit 1; }
if [ -n "$(awk -F'\t' '$2 == "object:state-changed:showing" && $5 == "剩余时间"' "$events")" ]; then
  echo "the display announced itself while counting:"
  grep '剩余时间' "$events"
  exit 1
fi

click_button reset
wait_colour idle 2 || exit 1
expect "display after Reset" "00:00:00" "$("${reader[@]}" text)"
echo "screen reader: passed"
