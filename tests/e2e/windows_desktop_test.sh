#!/usr/bin/env bash
# The Windows build's dealings with the desktop, under Wine:
# - the notice: at time up an icon of Kestrune's appears in the notification area (Wine draws it in
#   its own "Wine System Tray" window, top left) with a message that shows the name, and Reset takes
#   both away, on the screen and in Wine's log of the tray. Wine draws the message as a balloon
#   below the tray; Windows 10 and 11 show a toast.
# - staying awake: Start asks Windows not to sleep (SetThreadExecutionState with ES_CONTINUOUS and
#   ES_SYSTEM_REQUIRED, 0x80000001), and time up lets it (ES_CONTINUOUS alone, 0x80000000), as
#   Wine logs each call on its ntdll channel.
# Usage: windows_desktop_test.sh KESTRUNE.EXE (with WINEPREFIX set)
set -euo pipefail
kestrune=$1
source "$(dirname "$0")/xvfb_session.sh"
start_xvfb

tray_shown() { xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null; }
# The balloon: white where the screen's own background is black, with the name in dark letters.
balloon_white() { import -window root -crop 100x60+5+50 -depth 8 txt:- | grep -c '#FFFFFF' || true; }
balloon_text() {
  import -window root -crop 60x25+10+85 -colorspace gray -depth 8 txt:- |
    awk -F'[(,)]' 'NR > 1 && $3 + 0 < 100' | wc -l
}
# Waits up to SECONDS until COMMAND succeeds.
within() {
  local deadline=$((SECONDS + $1))
  until "${@:2}"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
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
icon_deleted() { grep -aq 'Shell_NotifyIconW dwMessage = 2,' "$PROGRAM_ERRORS"; }
WINEDEBUG=warn+ntdll,+systray,+tooltips start_kestrune wine "$kestrune"
type_into name Li
tray_shown && { echo "an icon in the notification area before time up"; exit 1; }
[ -z "$(execution_states)" ] || { echo "asked Windows about sleep while idle"; exit 1; }
count_down 2
[ "$(execution_states | tr '\n' ' ')" = "80000001 80000000 " ] ||
  { echo "asked Windows, in turn: $(execution_states | tr '\n' ' ')(not 80000001 80000000)"; exit 1; }
echo "stays awake from Start to time up: SetThreadExecutionState 0x80000001, then 0x80000000"
within 5 tray_shown || { echo "no icon in the notification area at time up"; exit 1; }
within 5 balloon_up || { echo "no message at time up"; exit 1; }
[ "$(balloon_text)" -ge 4 ] || { echo "the message does not show the name"; exit 1; }
balloon_logged || { echo "Wine's tray did not log a balloon \"时间到！\" with the name"; exit 1; }
echo "time up: the icon and its message, with the name, on screen and in Wine's tray log"
click_at 324 76 # Reset
within 8 all_gone || { echo "Reset did not take the icon and its message away"; exit 1; }
icon_deleted || { echo "Reset did not delete the icon (no NIM_DELETE in Wine's log)"; exit 1; }
echo "Windows notice and staying awake under Wine: passed"
