#!/usr/bin/env bash
# Takes screenshots of time up with its desktop notification beside the red window, on an X server
# and a D-Bus session of its own, with a window manager and its task bar (IceWM): the whole desktop
# into docs/screenshots/desktop-timeup.png, the window and the notification alone into
# notification-1x.png. The notification is shown by dunst, without the mark it puts on
# notifications that have actions.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${KESTRUNE_PRIVATE_BUS:-}" ]; then
  scripts/setup.sh xvfb xdotool imagemagick x11-xserver-utils dbus dunst icewm
  scripts/build.sh >/dev/null
  exec env KESTRUNE_PRIVATE_BUS=1 dbus-run-session \
    --config-file=tests/e2e/session_bus.conf -- "$0" "$@"
fi
source tests/e2e/xvfb_session.sh
start_xvfb
at_exit 'kill ${dunst:-} 2>/dev/null'
# Near the window, so that both fit in one picture.
config=$(mktemp)
cat >"$config" <<'EOF'
[global]
  origin = top-left
  offset = 830x310
  width = 260
  font = WenQuanYi Micro Hei 10
  show_indicators = no
EOF
dunst -config "$config" >/dev/null 2>&1 &
dunst=$!
icewm >/dev/null 2>&1 &
at_exit "kill $!"
xsetroot -solid "#3a6e8c"
keys_for 王芳
# The program in a Chinese locale; xdotool keeps this system's, which the C library has.
start_kestrune env LANG=zh_CN.UTF-8 LANGUAGE=zh_CN build/app/kestrune
type_into name '王芳'
count_down 2
sleep 1
import -window root -crop 720x220+450+300 +repage docs/screenshots/notification-1x.png
import -window root docs/screenshots/desktop-timeup.png
rm -f "$config"
echo "screenshots in docs/screenshots/notification-1x.png and desktop-timeup.png"
