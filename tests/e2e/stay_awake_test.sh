#!/usr/bin/env bash
# The computer is kept from sleeping while a countdown runs, and only then: the real program under
# Xvfb, the real logind on a system bus of the test's own. Usage: stay_awake_test.sh KESTRUNE SCENARIO
#   held     no inhibitor while idle; within 1 s of Start (pressed twice: still one), a resume and
#            the 体温 preset, one sleep inhibitor (who Kestrune, mode block, never the patient's
#            name), still held through time up until a click on the red window answers it; none
#            within 1 s of Pause, that click and Exit; never one that would keep the screen from
#            locking
#   stopped  logind stopped (SIGSTOP) while the program runs: time up on time, and Exit still ends
#            the program at once
#   none     no system bus at all: time up on time
set -euo pipefail
kestrune=$1
scenario=$2
here=$(dirname "$0")
source "$here/xvfb_session.sh"
require dbus-daemon busctl /lib/systemd/systemd-logind /usr/lib/polkit-1/polkitd
as_root true 2>/dev/null ||
  skip "logind runs as root, and sudo asks for a password here"
source "$here/logind_session.sh"
at_exit logind_cleanup
start_xvfb

# Waits up to 1 s until logind holds exactly the inhibitors given (lines of what, who, mode and
# process), or none; fails the check with STEP otherwise.
expect_inhibitors() {
  local step=$1 wanted=$2 now deadline=$(($(date +%s%3N) + 1000))
  while :; do
    now=$(inhibitors | cut -f1,2,4,5)
    if [ "$now" = "$wanted" ]; then
      echo "$step: logind holds ${now:-nothing}" | tr '\t' ' '
      return 0
    fi
    [ "$(date +%s%3N)" -lt "$deadline" ] || break
    sleep 0.02
  done
  echo "$step: logind holds"
  inhibitors
  echo "and not: ${wanted:-nothing}"
  exit 1
}

ends_at_exit() {
  click_button exit
  ended_within 3 Exit
}

case $scenario in
  held)
    logind_up || { echo "logind did not start"; exit 1; }
    start_kestrune "$kestrune"
    held=$(printf 'sleep\tKestrune\tblock\t%s' "$APP_PID")
    type_into name Li
    type_into seconds 3
    expect_inhibitors "idle" ""
    click_button start
    expect_inhibitors "after Start" "$held"
    click_button start
    sleep 0.3
    expect_inhibitors "after Start pressed twice" "$held"
    why=$(inhibitors | cut -f3)
    echo "inhibitor taken: $(inhibitors | cut -f1-4 | tr '\t' ' ')"
    [[ $why != *Li* ]] || { echo "the reason shown to every user names the patient: $why"; exit 1; }
    click_button pause
    expect_inhibitors "after Pause" ""
    click_button start
    expect_inhibitors "after resuming" "$held"
    wait_colour red 5 || exit 1
    sleep 1.1 # a release at time up would show by now
    expect_inhibitors "after time up, unanswered" "$held"
    click_background # the red background
    expect_inhibitors "once answered" ""
    wait_colour red 1 || { echo "answering time up took the red away"; exit 1; }
    click_button temperature
    expect_inhibitors "after the 5-minute preset" "$held"
    ends_at_exit
    expect_inhibitors "after Exit" ""
    ;;
  stopped)
    logind_up || { echo "logind did not start"; exit 1; }
    start_kestrune "$kestrune"
    as_root kill -STOP "$LOGIND_PID"
    count_down 2
    on_time 2 || exit 1
    ends_at_exit
    ;;
  none)
    export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$LOGIND_DIR/no_bus_here
    start_kestrune "$kestrune"
    count_down 2
    on_time 2 || exit 1
    ends_at_exit
    ;;
  *) echo "unknown scenario $scenario"; exit 2 ;;
esac
echo "stay awake, $scenario: passed"
