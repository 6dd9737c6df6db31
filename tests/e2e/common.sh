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
