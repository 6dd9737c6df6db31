#!/usr/bin/env bash
# Takes screenshots under Xvfb into docs/screenshots/: the window in its four states at scale 1 and
# 2 and a preset just pressed; then, on a desktop with a window manager and its task bar (IceWM),
# the 25-minute skin test counting and three timers side by side, and time up with its
# notification (scripts/screenshot_notification.sh). All as a Chinese desktop shows them: Chinese
# locale (the dates in Chinese form) and Chinese names. Installs what it needs when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh xvfb xdotool imagemagick x11-xserver-utils icewm dbus dunst
scripts/build.sh >/dev/null
out=docs/screenshots
mkdir -p "$out"
# The program in a Chinese locale (Qt needs only the name; xdotool, which types the names, keeps
# this system's locale, as it needs one that the C library has).
chinese=(env LANG=zh_CN.UTF-8 LANGUAGE=zh_CN)

source tests/e2e/xvfb_session.sh
start_xvfb

for scale in 1 2; do
  QT_SCALE_FACTOR=$scale "${chinese[@]}" build/app/kestrune 2>/dev/null &
  app=$!
  sleep 1.5
  window=$(xdotool search --sync --onlyvisible --name '^Kestrune$' | head -1)
  eval "$(xdotool getwindowgeometry --shell "$window")"
  # Clicks at logical-pixel points of the window (twips / 15).
  click() { xdotool mousemove $((X + $1 * scale)) $((Y + $2 * scale)) click 1; sleep 0.3; }
  shot() { import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$1-${scale}x.png"; }

  shot idle
  click 174 135 && xdotool type 4 && sleep 0.2     # seconds field
  click 268 136 && xdotool type '王芳' && sleep 0.2  # name field
  click 324 18                                    # Start
  sleep 2.2 && shot running
  click 324 47                                    # Pause
  shot paused
  click 324 18                                    # Start again
  sleep 4 && shot timeup
  if [ "$scale" = 1 ]; then
    click 324 76                                  # Reset
    click 268 136 && xdotool key ctrl+a && xdotool type '李强' && sleep 0.2
    click 324 104                                 # 体温
    sleep 1.2 && shot preset
  fi
  kill "$app"
  wait "$app" 2>/dev/null || true
done

# The desktop: IceWM places and lists the windows, its task bar along the bottom.
icewm >/dev/null 2>&1 &
at_exit "kill $!"
xsetroot -solid "#3a6e8c" # a background of its own, as a desktop has
desktop_shot() { import -window root "$out/desktop-$1.png"; }
# On a runtime folder of their own, so that the first window takes the middle of the screen.
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"
keys_for 李强王芳张秀英
start_kestrune "${chinese[@]}" build/app/kestrune
TYPE_DELAY=60 type_into name 李强
click_button skin_test
sleep 2.3
desktop_shot running
# Three timers side by side, each with its patient.
apps=("$APP_PID")
for patient in 王芳:4 张秀英:5; do
  "${chinese[@]}" build/app/kestrune 2>/dev/null &
  apps+=($!)
  window=$(xdotool search --sync --all --onlyvisible --pid "$!" --name '^Kestrune$' | head -1)
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$window")"
  TYPE_DELAY=60 type_into name "${patient%:*}"
  type_into minutes "${patient#*:}"
  click_button start
done
sleep 2
desktop_shot several
kill "${apps[@]}"
APP_PID=""
rm -rf "$XDG_RUNTIME_DIR"
scripts/screenshot_notification.sh >/dev/null
cp "$out/running-1x.png" docs/kestrune.png  # the README's picture
echo "screenshots in $out"
