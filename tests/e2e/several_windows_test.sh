#!/usr/bin/env bash
# Several countdowns side by side: each Kestrune started while others run opens clear of them and
# wholly on the screen, the first centred; the place of one that ended (killed here, as a crash
# would end it) is taken by the next one started; and nothing kept for this names the patient.
# Usage: several_windows_test.sh KESTRUNE
set -euo pipefail
kestrune=$1
source "$(dirname "$0")/xvfb_session.sh"
XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR
pids=()
at_exit 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$XDG_RUNTIME_DIR"'
start_xvfb

# Starts one more and sets PLACE to where its window opened: "X Y".
open_one() {
  "$kestrune" >/dev/null 2>>"$PROGRAM_ERRORS" &
  pids+=($!)
  local window
  window=$(timeout 20 xdotool search --sync --all --onlyvisible --pid "$!" --name '^Kestrune$' | head -1)
  [ -n "$window" ] || { echo "window ${#pids[@]} did not appear"; exit 1; }
  eval "$(xdotool getwindowgeometry --shell "$window")"
  wait_drawn || exit 1
  PLACE="$X $Y"
}

places=()
for n in 1 2 3; do
  open_one
  places+=("$PLACE")
  echo "window $n at $PLACE"
done
[ "${places[0]}" = "463 310" ] || { echo "the first is not centred"; exit 1; }

# Clear of one another (355 x 180 each) and wholly on the 1280 x 800 screen.
for i in 0 1 2; do
  read -r x y <<<"${places[i]}"
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + 355)) -le 1280 ] && [ $((y + 180)) -le 800 ] ||
    { echo "window $((i + 1)) is not wholly on the screen"; exit 1; }
  for j in $(seq $((i + 1)) 2); do
    read -r u v <<<"${places[j]}"
    if [ $((x + 355)) -gt "$u" ] && [ $((u + 355)) -gt "$x" ] && [ $((y + 180)) -gt "$v" ] &&
      [ $((v + 180)) -gt "$y" ]; then
      echo "windows $((i + 1)) and $((j + 1)) overlap"
      exit 1
    fi
  done
done

# The patient's name is typed into the second; then it ends without a word.
X=${places[1]% *} Y=${places[1]#* }
type_into name 王芳
if grep -rqs 王芳 "$XDG_RUNTIME_DIR" /tmp/runtime-* 2>/dev/null; then
  echo "a file names the patient"
  exit 1
fi
kill -KILL "${pids[1]}"
wait "${pids[1]}" 2>/dev/null || true
open_one
echo "a fourth, after the second ended, at $PLACE"
[ "$PLACE" = "${places[1]}" ] || { echo "the freed place was not taken again"; exit 1; }
echo "several windows: passed"
