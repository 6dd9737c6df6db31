# Helpers for end-to-end checks of the real program under Xvfb. Source it, then call start_xvfb.
# Nothing here waits a fixed time for the program: each step waits until the screen shows that
# the program has done what the step asked.
#
# At exit the program and the X server are stopped after the script's own clean-up (at_exit), and
# if the check failed, what the program wrote to its standard error is shown: a sanitizer's report,
# a warning from Qt, or why it would not start.

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

PROGRAM_ERRORS=$(mktemp)
EXIT_CLEANUP=()

# Runs COMMAND when the script ends, however it ends, before the program and the X server stop.
at_exit() { EXIT_CLEANUP+=("$1"); }

e2e_exit() {
  local status=$1 cleanup
  for cleanup in "${EXIT_CLEANUP[@]}"; do eval "$cleanup" || true; done
  if [ -n "${APP_PID:-}" ]; then
    kill "$APP_PID" 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
  fi
  stop_xvfb
  if [ "$status" -ne 0 ] && [ -s "$PROGRAM_ERRORS" ]; then
    echo "--- the program's standard error:"
    cat "$PROGRAM_ERRORS"
    echo "---"
  fi
  rm -f "$PROGRAM_ERRORS"
}
trap 'e2e_exit $?' EXIT

# Starts an X server of our own. Xvfb picks a display number that is free (it tries each until it
# can take it), so the checks never reach a server that another user or container started.
start_xvfb() {
  local numbers
  require Xvfb xdotool import xrdb
  numbers=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$numbers" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$numbers" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.05
  done
  export DISPLAY=":$(head -n 1 "$numbers")"
  rm -f "$numbers"
  [ "$DISPLAY" != ":" ] || { echo "could not start Xvfb" >&2; return 1; }
  # The display's scale, as a desktop sets it: 96 dots per inch for 100 %, 144 for 150 %. (Without
  # it, Qt 5.15.8 scales by the screen's size in millimetres.) -noreset keeps it while no client
  # is connected.
  echo "Xft.dpi: ${XFT_DPI:-96}" | xrdb -nocpp -merge
  # A desktop always gives its session bus's address. Without one, libdbus has the program fork
  # and run dbus-launch; in the sanitizer build on Debian 12 (GCC 12), the child of a busy
  # multithreaded program can hang on the allocator's lock before it starts dbus-launch, and with it
  # every D-Bus call of the program, the sleep inhibitor's included. A check with no bus of its own
  # gives an address where no bus listens.
  export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-unix:path=/nonexistent/kestrune-no-bus}
}

stop_xvfb() { kill "${XVFB_PID:-}" 2>/dev/null || true; }

# Starts the program and waits for its window (WINDOW_WAIT seconds, 20 by default); sets APP_PID,
# WINDOW, X, Y, WIDTH, HEIGHT.
start_kestrune() {
  "$@" 2>>"$PROGRAM_ERRORS" &
  APP_PID=$!
  # Wine, when it hides a window, waits for the window manager to confirm; with none on Xvfb it
  # gives up after about 2 s for each window it hides (after time up there are two), so under Wine
  # the program takes that much longer to end after Exit. A window manager confirms at once.
  EXIT_ALLOWANCE=0
  [ "$1" != wine ] || EXIT_ALLOWANCE=6
  # xdotool ends at an X error when a window it is looking at goes away meanwhile, as windows Wine
  # makes for itself while starting do, so it looks again until the time is up.
  local deadline=$((SECONDS + ${WINDOW_WAIT:-20}))
  WINDOW=""
  while [ -z "$WINDOW" ] && [ "$SECONDS" -lt "$deadline" ]; do
    WINDOW=$(timeout $((deadline - SECONDS + 1)) xdotool search --sync --onlyvisible \
      --name '^Kestrune$' 2>/dev/null | head -1) || true
    [ -n "$WINDOW" ] || sleep 0.2
  done
  [ -n "$WINDOW" ] || { echo "the window did not appear" >&2; return 1; }
  eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
  wait_drawn
}

# Waits up to SECONDS for the program to end; fails the check otherwise, saying after WHAT.
ended_within() {
  local seconds=$(($1 + ${EXIT_ALLOWANCE:-0}))
  timeout "$seconds" tail --pid="$APP_PID" -f /dev/null ||
    { echo "still running $seconds s after $2"; exit 1; }
}

# Clicks at a point of the window in logical pixels.
click_at() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1; }

# The buttons, by name, as points of the window in logical pixels.
declare -A BUTTON=([start]="324 18" [pause]="324 47" [reset]="324 76" [temperature]="324 104"
                   [skin_test]="324 133" [exit]="324 162")
# Clicks a button: start, pause, reset, temperature, skin_test or exit.
# shellcheck disable=SC2086
click_button() { click_at ${BUTTON[$1]}; }
# Clicks the window's own background, which a press answers time up on and drags from.
click_background() { click_at 5 5; }

# The window's background in each state, as "r,g,b".
declare -A COLOUR=([idle]="224,224,224" [running]="0,192,192" [paused]="128,128,255"
                   [red]="192,0,0")
# Whether the background shows the colour of a state: idle, running, paused or red.
background_is() { [ "$(colour_at 5 5)" = "${COLOUR[$1]}" ]; }

# The colour at a point of the window, as "r,g,b".
colour_at() {
  import -window root -crop "1x1+$((X + $1))+$((Y + $2))" -depth 8 rgb:- | od -An -tu1 |
    awk '{print $1 "," $2 "," $3}'
}

# A fingerprint of what a rectangle of the window shows: LEFT TOP WIDTH HEIGHT in logical pixels.
look_of() { import -window root -crop "${3}x${4}+$((X + $1))+$((Y + $2))" -depth 8 rgb:- | md5sum; }

# Waits up to 10 s until the rectangle no longer looks as BEFORE: LEFT TOP WIDTH HEIGHT BEFORE.
wait_changed() {
  local deadline=$((SECONDS + 10))
  while [ "$(look_of "$1" "$2" "$3" "$4")" = "$5" ]; do
    [ $SECONDS -lt $deadline ] || { echo "nothing changed at $1,$2 (${3}x$4)" >&2; return 1; }
    sleep 0.05
  done
}

# Waits until the window has drawn its background, the idle grey.
wait_drawn() { wait_colour idle 10 || { echo "the window was never drawn" >&2; return 1; }; }

# Waits up to SECONDS (default 10) until the point shows the colour "r,g,b": X Y COLOUR [SECONDS].
wait_colour_at() {
  local deadline
  deadline=$(($(date +%s%N) + ${4:-10} * 1000000000))
  until [ "$(colour_at "$1" "$2")" = "$3" ]; do
    [ "$(date +%s%N)" -lt "$deadline" ] || { echo "not $3 at $1,$2: $(colour_at "$1" "$2")" >&2; return 1; }
  done
}

# Waits up to SECONDS (default 10) until the background shows a state's colour: STATE [SECONDS].
wait_colour() { wait_colour_at 5 5 "${COLOUR[$1]}" "${2:-10}"; }

# The fields, by name, as LEFT TOP WIDTH HEIGHT in logical pixels; the display likewise.
declare -A FIELD=([hours]="40 125 41 20" [minutes]="104 125 41 20" [seconds]="168 125 41 20"
                  [name]="240 127 57 18")
DISPLAY_RECT="24 40 265 57"

# What a rectangle looks like once it has stopped changing (a hover effect, say).
settled_look() {
  local last now
  last=$(look_of "$@")
  for _ in $(seq 20); do
    now=$(look_of "$@")
    [ "$now" = "$last" ] && break
    last=$now
  done
  echo "$last"
}

# Clicks a field and waits until it shows the keyboard focus (its frame and caret are drawn only
# once the window is active and the field has the focus: keys typed before then would be lost).
# Usage: focus_field hours|minutes|seconds|name
focus_field() {
  local rect edit before
  read -r -a rect <<<"${FIELD[$1]}"
  # The edit part, without the list's arrow.
  edit=("${rect[0]}" "${rect[1]}" $((rect[2] - 16)) "${rect[3]}")
  xdotool mousemove $((X + rect[0] + 8)) $((Y + rect[1] + rect[3] / 2))
  before=$(settled_look "${edit[@]}")
  xdotool click 1
  wait_changed "${edit[@]}" "$before"
}

# Puts the focus in a field as focus_field does, types TEXT and waits until it is shown: in the
# countdown display for a duration field, in the field for the name.
# Usage: type_into hours|minutes|seconds|name TEXT; TYPE_DELAY (ms) spaces the keys.
type_into() {
  local watched before_watched
  focus_field "$1" || return 1
  watched=$DISPLAY_RECT
  [ "$1" = name ] && watched=${FIELD[name]}
  # shellcheck disable=SC2086
  before_watched=$(look_of $watched)
  xdotool type ${TYPE_DELAY:+--delay "$TYPE_DELAY"} "$2"
  # shellcheck disable=SC2086
  wait_changed $watched "$before_watched"
}

# Puts TEXT in a field through the clipboard, as an input method's candidate arrives, and waits until
# it is shown: for what a key press cannot give (Chinese under Wine's X11 driver). Needs xclip.
# Usage: paste_into hours|minutes|seconds|name TEXT
paste_into() {
  local before
  focus_field "$1" || return 1
  # shellcheck disable=SC2086
  before=$(look_of ${FIELD[$1]})
  printf '%s' "$2" | xclip -selection clipboard
  xdotool key ctrl+v
  # shellcheck disable=SC2086
  wait_changed ${FIELD[$1]} "$before"
}

# Whether a field shows typed text: some of its edit part's pixels are dark. FIELD as type_into.
text_drawn() {
  local rect dark
  read -r -a rect <<<"${FIELD[$1]}"
  dark=$(import -window root -crop "$((rect[2] - 20))x$((rect[3] - 6))+$((X + rect[0] + 3))+$((Y + rect[1] + 3))" \
    -colorspace gray -depth 8 txt:- | awk -F'[(,)]' 'NR > 1 && $3 + 0 < 100' | wc -l)
  [ "$dark" -ge 4 ] || { echo "the $1 field draws none of the typed text" >&2; return 1; }
}

# Types SECONDS into the seconds field, presses Start, checks that the window runs and waits until
# it is red, at most SECONDS + 3 s; sets STARTED, RUNNING and RED as run_down does.
count_down() {
  type_into seconds "$1" || return 1
  run_down "$1"
}

# Presses Start with SECONDS set, checks that the window runs and waits until it is red, at most
# SECONDS + 3 s. Sets, in ms of the wall clock: STARTED just before the click on Start, RUNNING when
# the window was first seen running, RED when it was first seen red.
run_down() {
  STARTED=$(date +%s%3N)
  click_button start
  wait_colour running 2 || { echo "not running after Start" >&2; return 1; }
  RUNNING=$(date +%s%3N)
  wait_colour red $(($1 + 3)) || { echo "not red at time up" >&2; return 1; }
  RED=$(date +%s%3N)
}

# Checks that a countdown of SECONDS, which shows 00:00:00 for its last second, turned red on time:
# no sooner than SECONDS + 1 s after the click on Start, less 100 ms, and at most 600 ms later than
# that after the window was seen running. Lateness counts from then, when the countdown has surely
# begun, not from the click: the sanitizer build on a busy machine takes 300 ms or more to take a
# click in, which is no part of the countdown.
on_time() {
  local due=$((($1 + 1) * 1000))
  echo "running $((RUNNING - STARTED)) ms after the click on Start, red $((RED - RUNNING)) ms later"
  [ $((RED - STARTED)) -ge $((due - 100)) ] || { echo "time up too early"; return 1; }
  [ $((RED - RUNNING)) -le $((due + 600)) ] || { echo "time up too late"; return 1; }
}

# Puts each character of TEXT that the keyboard lacks (Chinese, say) on a spare key of its own, so
# that xdotool types it as an ordinary key press. Otherwise xdotool maps a key for each character
# just before pressing it, and a program slowed down (under strace, say) may read the press before
# the new mapping, and lose the character. Call it before the program starts.
keys_for() {
  local keycode=247 char
  while IFS= read -r -n1 char; do
    [ -n "$char" ] && [ "$(printf '%s' "$char" | wc -c)" -gt 1 ] || continue
    xmodmap -e "keycode $keycode = $(printf 'U%04X' "'$char")"
    keycode=$((keycode + 1))
  done <<<"$1"
}
