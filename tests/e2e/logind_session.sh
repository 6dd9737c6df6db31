# A system bus of the test's own with the real logind (systemd-logind) and polkit on it. Source it,
# then call logind_up; DBUS_SYSTEM_BUS_ADDRESS is set for the programs started after it, and
# inhibitors prints logind's inhibitors, one a line: what, who, why, mode, pid.
#
# logind and polkitd run as root (with sudo when the test does not), in a mount namespace of their
# own with an empty /run and /sys/fs/cgroup, so that they see no devices, no seats and no sessions
# and leave the machine's own logind, if any, alone; with an empty, read-only /sys/power, so that
# nothing they do can suspend the machine; and with the power keys, the lid and the idle action set
# to be ignored. A nurse's desktop session is active, and polkit lets an active session take
# inhibitors; the test's user has no session, so a polkit rule in that namespace stands in for it.

LOGIND_DIR=$(mktemp -d)
chmod 755 "$LOGIND_DIR"
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$LOGIND_DIR/system_bus_socket

logind_up() {
  read -r SYSTEM_BUS_PID < <(dbus-daemon --config-file="$(dirname "${BASH_SOURCE[0]}")/system_bus.conf" \
    --address="$DBUS_SYSTEM_BUS_ADDRESS" --fork --print-pid=1)
  {
    echo '[Login]'
    printf '%s=ignore\n' HandlePowerKey HandleSuspendKey HandleHibernateKey HandleLidSwitch \
      HandleLidSwitchExternalPower HandleLidSwitchDocked IdleAction
  } >"$LOGIND_DIR/logind.conf"
  mkdir "$LOGIND_DIR/rules"
  cat >"$LOGIND_DIR/rules/50-active-session.rules" <<'RULES'
polkit.addRule(function(action, subject) {
  if (action.id.indexOf("org.freedesktop.login1.inhibit-") == 0) return polkit.Result.YES;
});
RULES
  # sudo stops itself when the command it runs is stopped: $! is sudo, which the clean-up wakes.
  "${AS_ROOT[@]}" env DBUS_SYSTEM_BUS_ADDRESS="$DBUS_SYSTEM_BUS_ADDRESS" unshare --mount bash -c "
    mount -t tmpfs tmpfs /run && mkdir -p /run/systemd/logind.conf.d /run/udev &&
    mount -t tmpfs tmpfs /sys/fs/cgroup && mount -t tmpfs -o ro,size=4k tmpfs /sys/power &&
    cp '$LOGIND_DIR/logind.conf' /run/systemd/logind.conf.d/ &&
    mount --bind '$LOGIND_DIR/rules' /etc/polkit-1/rules.d &&
    { /usr/lib/polkit-1/polkitd --no-debug & exec /lib/systemd/systemd-logind; }" \
    >"$LOGIND_DIR/logind.log" 2>&1 &
  LOGIND_WRAPPER=$!
  for _ in $(seq 100); do
    LOGIND_PID=$(bus_owner org.freedesktop.login1) && [ -n "$LOGIND_PID" ] &&
      POLKIT_PID=$(bus_owner org.freedesktop.PolicyKit1) && [ -n "$POLKIT_PID" ] && return 0
    sleep 0.05
  done
  cat "$LOGIND_DIR/logind.log"
  return 1
}

# The process id of the bus name's owner.
bus_owner() {
  dbus-send --system --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.GetConnectionUnixProcessID "string:$1" 2>/dev/null | awk '/uint32/ {print $2}'
}

inhibitors() {
  busctl --system --json=short call org.freedesktop.login1 /org/freedesktop/login1 \
    org.freedesktop.login1.Manager ListInhibitors |
    "$PYTHON" -c 'import json, sys
for what, who, why, mode, uid, pid in json.load(sys.stdin)["data"][0]:
    print(what, who, why, mode, pid, sep="\t")'
}

logind_cleanup() {
  # sudo stops itself when the command it runs is stopped: wake both before ending them.
  for pid in ${LOGIND_PID:-} ${POLKIT_PID:-} ${LOGIND_WRAPPER:-}; do
    as_root kill -CONT "$pid" 2>/dev/null || true
  done
  for pid in ${LOGIND_PID:-} ${POLKIT_PID:-}; do
    as_root kill "$pid" 2>/dev/null || true
  done
  wait "${LOGIND_WRAPPER:-}" 2>/dev/null || true
  kill "${SYSTEM_BUS_PID:-}" 2>/dev/null || true
  rm -rf "$LOGIND_DIR"
}
