# Helpers every end-to-end check and session script shares; the session scripts source it.

# Waits up to SECONDS until COMMAND succeeds, trying it every 50 ms; false if it never does.
wait_until() {
  local deadline=$(($(date +%s%3N) + $1 * 1000))
  until "${@:2}"; do
    [ "$(date +%s%3N)" -lt $deadline ] || return 1
    sleep 0.05
  done
}

# Runs COMMAND as root: as it is where the check runs as root, through sudo without a password
# elsewhere (false where sudo would ask for one). A command started in the background takes the
# prefix AS_ROOT itself, so that $! is the process that runs it, not a shell around it.
AS_ROOT=()
[ "$(id -u)" -eq 0 ] || AS_ROOT=(sudo -n)
as_root() { "${AS_ROOT[@]}" "$@"; }

# Skips the check, saying why: exit status 77, which CTest counts as skipped, never as passed.
skip() {
  echo "SKIPPED: $*"
  exit 77
}

# Skips the check unless every PROGRAM is here.
require() {
  local program
  for program in "$@"; do
    command -v "$program" >/dev/null || skip "no $program here"
  done
}

# Ends the check as failed, saying why, after FAIL_CONTEXT where a check sets it. A check that may
# be run again redefines give_up, which ends it.
fail() {
  echo "${FAIL_CONTEXT:+$FAIL_CONTEXT: }$*"
  give_up
}
give_up() { exit 1; }

# The wall clock in ms since the epoch, and a sleep until it reads MS.
now_ms() { date +%s%3N; }
sleep_until() {
  local left=$(($1 - $(now_ms)))
  [ $left -le 0 ] || sleep "$((left / 1000)).$(printf %03d $((left % 1000)))"
}

# The system's own Python, whose modules (pyatspi, gi) the set-up installs, whatever python3 comes
# first on PATH.
PYTHON=/usr/bin/python3
