#!/usr/bin/env bash
# Time up in front of the window the nurse is typing in, without taking the keyboard from it: on
# an X server with a window manager and its task bar (IceWM), a terminal opened over the counting
# Kestrune window has the keyboard focus and takes typed text; at time up the red window stands in
# front of the terminal, which keeps the focus and every key typed into it, before and after. A
# click on the red window answers time up, and the terminal, clicked, covers it again.
# Usage: in_front_test.sh COMMAND... (the program, or wine and the Windows program)
set -euo pipefail
source "$(dirname "$0")/xvfb_session.sh"
require icewm xterm xprop
start_xvfb
typed=$(mktemp)
at_exit "rm -f '$typed'"

# The countdown is set and started before the window manager comes (which then takes the window
# over), as keys typed into a window Wine has just handed to a window manager are sometimes lost.
start_kestrune "$@"
type_into seconds 8
click_button start
wait_colour running 2 || fail "not running after Start"
icewm >/dev/null 2>&1 &
at_exit "kill $!"
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
wait_until 10 wm_ready || fail "the window manager did not start"
# The terminal over the whole window, where new windows take the focus.
xterm -geometry 80x20+$((X - 40))+$((Y - 40)) -e sh -c "cat >'$typed'" 2>/dev/null &
at_exit "kill $!"
terminal=""
wait_until 10 eval 'terminal=$(xdotool search --sync --onlyvisible --class "^xterm$" | head -1)'
focused() { [ "$(xdotool getwindowfocus)" = "$terminal" ]; }
wait_until 5 focused || fail "the terminal has not the keyboard focus"
! background_is running || fail "the terminal does not cover the window"
xdotool type --delay 50 "before "
wait_colour red 12 || fail "time up not seen in front of the terminal"
echo "at time up the red window stands in front of the terminal"
focused || fail "time up took the keyboard focus from the terminal"
xdotool type --delay 50 "after"
xdotool key Return
wait_until 5 grep -qx "before after" "$typed" ||
  { echo "the terminal got \"$(cat "$typed")\", not \"before after\""; exit 1; }
echo "the terminal kept the focus and every key: \"$(cat "$typed")\""

click_background # answers time up
xdotool mousemove $((X - 20)) $((Y - 20)) click 1 # the terminal, where the window leaves it bare
wait_until 5 eval '! background_is red' ||
  fail "once time up was answered, the window still stands in front of the terminal"
echo "time up in front: passed"
