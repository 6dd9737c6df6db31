#!/usr/bin/env bash
# Time up in front of the window the nurse is typing in, without taking the keyboard from it: on
# an X server with a window manager and its task bar (IceWM), a terminal opened over the counting
# Kestrune window has the keyboard focus and takes typed text; at time up the red window stands in
# front of the terminal, which keeps the focus and every key typed into it, before and after. A
# click on the red window answers time up, and the terminal, clicked, covers it again.
# Usage: in_front_test.sh COMMAND... (the program, or wine and the Windows program)
set -euo pipefail
source "$(dirname "$0")/xvfb_session.sh"
require icewm xterm
start_xvfb
typed=$(mktemp)
icewm >/dev/null 2>&1 &
at_exit "kill $!; rm -f '$typed'"
wait_until 10 xdotool search --class '^icewm$' >/dev/null || { echo "the window manager did not start"; exit 1; }

start_kestrune "$@"
type_into seconds 4
click_button start
wait_colour running 2 || { echo "not running after Start"; exit 1; }
# The terminal over the whole window, where new windows take the focus.
xterm -geometry 80x20+$((X - 40))+$((Y - 40)) -e sh -c "cat >'$typed'" 2>/dev/null &
at_exit "kill $!"
terminal=""
wait_until 10 eval 'terminal=$(xdotool search --sync --onlyvisible --class "^xterm$" | head -1)'
focused() { [ "$(xdotool getwindowfocus)" = "$terminal" ]; }
wait_until 5 focused || { echo "the terminal has not the keyboard focus"; exit 1; }
! background_is running || { echo "the terminal does not cover the window"; exit 1; }
xdotool type --delay 50 "before "
wait_colour red 8 || { echo "time up not seen in front of the terminal"; exit 1; }
echo "at time up the red window stands in front of the terminal"
focused || { echo "time up took the keyboard focus from the terminal"; exit 1; }
xdotool type --delay 50 "after"
xdotool key Return
wait_until 5 grep -qx "before after" "$typed" ||
  { echo "the terminal got \"$(cat "$typed")\", not \"before after\""; exit 1; }
echo "the terminal kept the focus and every key: \"$(cat "$typed")\""

click_background # answers time up
xdotool mousemove $((X - 20)) $((Y - 20)) click 1 # the terminal, where the window leaves it bare
wait_until 5 eval '! background_is red' ||
  { echo "once time up was answered, the window still stands in front of the terminal"; exit 1; }
echo "time up in front: passed"
