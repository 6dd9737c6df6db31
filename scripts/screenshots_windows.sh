#!/usr/bin/env bash
# Takes screenshots of the Windows build running under Wine on Xvfb, idle, counting down and at
# time up, into docs/screenshots/wine-*.png, in a Chinese locale with a Chinese name; the last,
# wine-timeup-tray.png, is the whole screen, with a window manager and its task bar (IceWM), in
# whose notification area Wine puts the program's icon and its message. Run
# scripts/windows_build.sh first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --windows locales xclip icewm
# Wine takes the Windows locale from the C library's, so zh_CN has to be compiled: into a folder
# of this run's own, not the system's.
locales=$(mktemp -d)
localedef -i zh_CN -f UTF-8 "$locales/zh_CN.UTF-8"
export LOCPATH=$locales LANG=zh_CN.UTF-8 LANGUAGE=zh_CN
source tests/e2e/xvfb_session.sh
source tests/e2e/wine_session.sh
at_exit 'stop_wine; rm -rf "$locales"'
start_xvfb
start_wine
out=docs/screenshots
shot() { import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/wine-$1.png"; }

start_kestrune wine build-windows/x64/stage/kestrune.exe
shot idle
type_into seconds 4
# Wine's X11 driver here turns no key press into a Chinese character (xdotool's keys arrive, the
# characters do not), so the name is pasted.
paste_into name 王芳
click_button start
wait_colour running 2
sleep 1.5
shot running
wait_colour red 6
shot timeup
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
icewm >/dev/null 2>&1 &
at_exit "kill $!"
xsetroot -solid "#3a6e8c"
sleep 1
start_kestrune wine build-windows/x64/stage/kestrune.exe
paste_into name 王芳
type_into seconds 2
click_button start
wait_colour red 6
sleep 2
import -window root "$out/wine-timeup-tray.png"
echo "screenshots in $out/wine-*.png"
