#!/usr/bin/env bash
# An event storm on the real program under Xvfb: random clicks, drags and keystrokes on every
# control but Exit for SECONDS (default 60), then a scripted 3-second countdown that must still
# turn the window red on time. The program must not crash or hang, nor grow its memory by more than
# 6 MiB after the first tenth of the storm. Usage: storm_test.sh KESTRUNE [SECONDS] [SEED]
set -euo pipefail
kestrune=$1
seconds=${2:-60}
seed=${3:-$RANDOM}
source "$(dirname "$0")/xvfb_session.sh"
start_xvfb
RANDOM=$seed
echo "storm of ${seconds} s, seed $seed"

start_kestrune "$kestrune"
home_x=$X home_y=$Y

rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$APP_PID/status"; }
alive() { kill -0 "$APP_PID" 2>/dev/null || { echo "the program died (seed $seed)"; exit 1; }; }
pick() { local choices=("$@"); echo "${choices[RANDOM % ${#choices[@]}]}"; }

# Points of the window in logical pixels: fields, buttons but Exit, labels and background.
fields=("50 135" "114 135" "178 135" "76 135" "140 135" "204 135" "260 136")
buttons=("324 18" "324 47" "324 76" "324 104" "324 133")
others=("5 5" "150 60" "18 60" "60 24" "200 24" "50 104" "250 104" "28 136" "92 136"
        "156 136" "228 136" "150 160" "300 100" "350 60" "150 148")
keys=(0 1 2 5 9 a z minus period plus space BackSpace Delete Left Right Home End Up Down
      Escape ctrl+a ctrl+z)

storm_step() {
  case $((RANDOM % 6)) in
    0|1) read -r px py <<<"$(pick "${fields[@]}")"
         click_at "$px" "$py"
         for _ in $(seq $((RANDOM % 6))); do xdotool key "$(pick "${keys[@]}")"; done ;;
    2)   read -r px py <<<"$(pick "${buttons[@]}")"; click_at "$px" "$py" ;;
    3)   read -r px py <<<"$(pick "${others[@]}")"; click_at "$px" "$py" ;;
    4)   read -r px py <<<"$(pick "${others[@]}")"
         xdotool mousemove $((X + px)) $((Y + py)) mousedown 1 \
           mousemove_relative -- $((RANDOM % 81 - 40)) $((RANDOM % 81 - 40)) \
           mousemove_relative -- $((RANDOM % 41 - 20)) $((RANDOM % 41 - 20)) mouseup 1
         eval "$(xdotool getwindowgeometry --shell "$WINDOW")" ;;
    5)   xdotool key Escape  # closes any open list
         xdotool windowmove "$WINDOW" "$home_x" "$home_y"; X=$home_x Y=$home_y ;;
  esac
}

end=$((SECONDS + seconds))
warm=$((SECONDS + seconds / 10))
rss_start=""
steps=0
while [ $SECONDS -lt "$end" ]; do
  storm_step
  steps=$((steps + 1))
  if [ -z "$rss_start" ] && [ $SECONDS -ge "$warm" ]; then rss_start=$(rss_kib); fi
  [ $((steps % 20)) -eq 0 ] && alive
done
alive
rss_end=$(rss_kib)
echo "$steps storm steps; resident memory ${rss_start} KiB -> ${rss_end} KiB"
if [ $((rss_end - rss_start)) -gt 6144 ]; then
  echo "memory grew by $(((rss_end - rss_start) / 1024)) MiB (seed $seed)"
  exit 1
fi

# A scripted countdown of 3 seconds from whatever state the storm left: Pause (a running timer keeps
# its pending tick), Reset, the seconds field, Start.
xdotool key Escape
xdotool windowmove "$WINDOW" "$home_x" "$home_y"; X=$home_x Y=$home_y
click_button pause
wait_colour paused 2 || { echo "Pause did not answer (seed $seed)"; exit 1; }
click_button reset
wait_colour idle 2 || { echo "Reset did not answer (seed $seed)"; exit 1; }
count_down 3 && on_time 3 || { echo "(seed $seed)"; exit 1; }
alive
echo "storm: passed"
