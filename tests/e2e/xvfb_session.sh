# Helpers for end-to-end checks of the real program under Xvfb. Source it, then call start_xvfb.

start_xvfb() {
  local n
  for n in $(seq 90 130); do
    if [ ! -e "/tmp/.X${n}-lock" ]; then
      Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
      XVFB_PID=$!
      export DISPLAY=":$n"
      for _ in $(seq 50); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
      done
    fi
  done
  echo "could not start Xvfb" >&2
  return 1
}

stop_xvfb() { kill "$XVFB_PID" 2>/dev/null || true; }

# Starts the program and waits for its window; sets APP_PID, WINDOW, X, Y, WIDTH, HEIGHT.
start_kestrune() {
  "$@" 2>/dev/null &
  APP_PID=$!
  WINDOW=$(timeout 10 xdotool search --sync --onlyvisible --name '^Kestrune$' | head -1)
  [ -n "$WINDOW" ] || { echo "the window did not appear" >&2; return 1; }
  eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
}

# Clicks at a point of the window in logical pixels.
click_at() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1; sleep 0.2; }

# The colour at a point of the window, as "r,g,b".
colour_at() {
  import -window root -crop "1x1+$((X + $1))+$((Y + $2))" -depth 8 txt:- |
    sed -n '2s/.*srgb(\([0-9]*,[0-9]*,[0-9]*\)).*/\1/p'
}
