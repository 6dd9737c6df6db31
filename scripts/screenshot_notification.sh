#!/usr/bin/env bash
# Takes a screenshot of time up with its desktop notification (shown by dunst) beside the red
# window, on an X server and a D-Bus session of its own, into
# docs/screenshots/notification-1x.png.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${KESTRUNE_PRIVATE_BUS:-}" ]; then
  scripts/setup.sh xvfb xdotool imagemagick dbus dunst
  scripts/build.sh >/dev/null
  exec env KESTRUNE_PRIVATE_BUS=1 dbus-run-session \
    --config-file=tests/e2e/session_bus.conf -- "$0" "$@"
fi
source tests/e2e/xvfb_session.sh
start_xvfb
at_exit 'kill ${dunst:-} 2>/dev/null'
# Near the window, so that both fit in one picture.
config=$(mktemp)
printf '[global]\n  origin = top-left\n  offset = 830x310\n  width = 260\n  font = WenQuanYi Micro Hei 10\n' >"$config"
dunst -config "$config" >/dev/null 2>&1 &
dunst=$!
start_kestrune build/app/kestrune
type_into name 'Li Hua'
count_down 2
sleep 1
import -window root -crop 720x220+450+300 +repage docs/screenshots/notification-1x.png
rm -f "$config"
echo "screenshot in docs/screenshots/notification-1x.png"
