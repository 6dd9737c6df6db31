#!/usr/bin/env bash
# Takes screenshots of the window in its four states under Xvfb, at scale 1 and 2, into
# docs/screenshots/. Needs xvfb, xdotool and imagemagick (installed when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh xvfb xdotool imagemagick
scripts/build.sh >/dev/null
out=docs/screenshots
mkdir -p "$out"

source tests/e2e/xvfb_session.sh
start_xvfb

for scale in 1 2; do
  QT_SCALE_FACTOR=$scale build/app/kestrune 2>/dev/null &
  app=$!
  sleep 1.5
  window=$(xdotool search --sync --onlyvisible --name '^Kestrune$' | head -1)
  eval "$(xdotool getwindowgeometry --shell "$window")"
  # Clicks at logical-pixel points of the window (twips / 15).
  click() { xdotool mousemove $((X + $1 * scale)) $((Y + $2 * scale)) click 1; sleep 0.3; }
  shot() { import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$1-${scale}x.png"; }

  shot idle
  click 174 135 && xdotool type 4 && sleep 0.2     # seconds field
  click 268 136 && xdotool type '张三' && sleep 0.2  # name field
  click 324 18                                    # Start
  sleep 2.2 && shot running
  click 324 47                                    # Pause
  shot paused
  click 324 18                                    # Start again
  sleep 4 && shot timeup
  kill "$app"
  wait "$app" 2>/dev/null || true
done
echo "screenshots in $out"
