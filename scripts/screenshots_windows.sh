#!/usr/bin/env bash
# Takes screenshots of the Windows build running under Wine on Xvfb, idle, counting down and at
# time up, into docs/screenshots/wine-*.png. Run scripts/windows_build.sh first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --windows
source tests/e2e/xvfb_session.sh
source tests/e2e/wine_session.sh
at_exit stop_wine
start_xvfb
start_wine
out=docs/screenshots
shot() { import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/wine-$1.png"; }

start_kestrune wine build-windows/x64/stage/kestrune.exe
shot idle
type_into seconds 4
type_into name 'Li Hua'
click_at 324 18 # Start
wait_colour 5 5 "0,192,192" 2
sleep 1.5
shot running
wait_colour 5 5 "192,0,0" 6
shot timeup
echo "screenshots in $out/wine-*.png"
