#!/usr/bin/env bash
# The real program under Xvfb: the typed duration and name are drawn in their fields, and a
# 2-second countdown started with the mouse turns the window red 3 seconds later (the display reads
# 00:00:00 for the last second), and Exit ends the program with status 0. The 2 is typed as an input
# method in full-width mode types it, "２" (under Wine, whose X11 driver turns no key press into such
# a character, as "2"). Usage: countdown_test.sh COMMAND... (the program, or wine and the Windows
# program)
set -euo pipefail
kestrune=("$@")
source "$(dirname "$0")/xvfb_session.sh"
start_xvfb
two=２
[ "$1" != wine ] || two=2
keys_for "$two"

start_kestrune "${kestrune[@]}"
# Centred on the 1280 x 800 screen.
[ "$X,$Y" = "463,310" ] || { echo "window at $X,$Y, not centred"; exit 1; }

# What is typed is drawn: the digits and the name, each looked at while the caret is elsewhere.
type_into name Li
type_into seconds "$two"
text_drawn name || exit 1
focus_field hours || exit 1
text_drawn seconds || exit 1
run_down 2 || exit 1
on_time 2 || exit 1

click_button exit
status=0
ended_within 5 Exit
wait "$APP_PID" || status=$?
APP_PID=""
[ "$status" -eq 0 ] || { echo "exit status $status"; exit 1; }
echo "countdown under Xvfb: passed"
