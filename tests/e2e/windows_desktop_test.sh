#!/usr/bin/env bash
# The Windows build's dealings with the desktop, under Wine:
# - the notice: at time up an icon of Kestrune's appears in the notification area (Wine draws it in
#   its own "Wine System Tray" window, top left) with a message that shows the name; the first
#   reminder, 30 s later, shows the message again; a click on the red window answers time up and
#   takes both away, on the screen and in Wine's log of the tray; so does Exit at the next time up.
#   Wine draws the message as a balloon below the tray; Windows 10 and 11 show a toast.
# - staying awake: Start asks Windows not to sleep (SetThreadExecutionState with ES_CONTINUOUS and
#   ES_SYSTEM_REQUIRED, 0x80000001), and answering time up lets it (ES_CONTINUOUS alone,
#   0x80000000), as Wine logs each call on its ntdll channel.
# Usage: windows_desktop_test.sh KESTRUNE.EXE (with WINEPREFIX set)
set -euo pipefail
kestrune=$1
source "$(dirname "$0")/xvfb_session.sh"
start_xvfb

# A window that closes while xdotool goes through them ends it with an X error: it looks again.
tray_shown() {
  local found attempt
  for attempt in 1 2 3; do
    found=$(xdotool search --onlyvisible --name '^Wine System Tray$' 2>&1) && return 0
    [[ $found = *"X Error"* ]] || return 1
  done
  return 1
}
# The balloon: white where the screen's own background is black, with the name in dark letters.
balloon_white() { import -window root -crop 100x60+5+50 -depth 8 txt:- | grep -c '#FFFFFF' || true; }
balloon_text() {
  import -window root -crop 60x25+10+85 -colorspace gray -depth 8 txt:- |
    awk -F'[(,)]' 'NR > 1 && $3 + 0 < 100' | wc -l
}
balloon_up() { [ "$(balloon_white)" -gt 1000 ]; }
all_gone() { ! tray_shown && [ "$(balloon_white)" -lt 100 ]; }

# Each SetThreadExecutionState call the program made, its flags in hex, one a line.
execution_states() { sed -n 's/.*NtSetThreadExecutionState (0x\([0-9a-f]*\).*/\1/p' "$PROGRAM_ERRORS"; }

# Wine's log of the tray: the balloon it shows (its text, and its title "时间到！" as UTF-16 code
# points) and the icon's removal.
balloon_logged() {
  grep -aq 'TOOLTIPS_SetTitleT .*title = L"\\65f6\\95f4\\5230\\ff01"' "$PROGRAM_ERRORS" &&
    grep -aq 'TOOLTIPS_Show Show tooltip .*L"Li"' "$PROGRAM_ERRORS"
}
balloons_logged() { grep -ac 'TOOLTIPS_Show Show tooltip .*L"Li"' "$PROGRAM_ERRORS" || true; }
icons_deleted() { grep -ac 'Shell_NotifyIconW dwMessage = 2,' "$PROGRAM_ERRORS" || true; }
WINEDEBUG=warn+ntdll,+systray,+tooltips start_kestrune wine "$kestrune"
type_into name Li
tray_shown && { echo "an icon in the notification area before time up"; exit 1; }
[ -z "$(execution_states)" ] || { echo "asked Windows about sleep while idle"; exit 1; }
count_down 2
[ "$(execution_states | tr '\n' ' ')" = "80000001 " ] ||
  { echo "asked Windows, in turn: $(execution_states | tr '\n' ' ')(not 80000001 alone)"; exit 1; }
wait_until 5 tray_shown || { echo "no icon in the notification area at time up"; exit 1; }
wait_until 5 balloon_up || { echo "no message at time up"; exit 1; }
[ "$(balloon_text)" -ge 4 ] || { echo "the message does not show the name"; exit 1; }
balloon_logged || { echo "Wine's tray did not log a balloon \"时间到！\" with the name"; exit 1; }
echo "time up: the icon and its message, with the name, on screen and in Wine's tray log"
shown=$(balloons_logged)
more_balloons() { [ "$(balloons_logged)" -gt "$shown" ]; }
wait_until 35 more_balloons || { echo "no message again at the reminder"; exit 1; }
echo "the reminder showed the message again"
click_background # the red background
wait_until 8 all_gone || { echo "answering time up did not take the icon and its message away"; exit 1; }
[ "$(icons_deleted)" -eq 1 ] || { echo "no NIM_DELETE in Wine's log once time up was answered"; exit 1; }
background_is red || { echo "answering time up took the red away"; exit 1; }
[ "$(execution_states | tr '\n' ' ')" = "80000001 80000000 " ] ||
  { echo "asked Windows, in turn: $(execution_states | tr '\n' ' ')(not 80000001 80000000)"; exit 1; }
echo "stays awake from Start until time up is answered: SetThreadExecutionState 0x80000001, then 0x80000000"
click_button start
wait_until 5 tray_shown || { echo "no icon in the notification area at the next time up"; exit 1; }
click_button exit
ended_within 5 Exit
[ "$(icons_deleted)" -eq 2 ] || { echo "Exit left the icon (no NIM_DELETE in Wine's log)"; exit 1; }
wait_until 8 all_gone || { echo "Exit did not take the icon and its message away"; exit 1; }
echo "Windows notice, its reminder and staying awake under Wine: passed"
