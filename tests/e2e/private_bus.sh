# Sourced first by a check that needs a D-Bus session of its own: runs the check again inside one,
# with the bus configuration PRIVATE_BUS_CONFIG (one that starts no service by itself, say) or the
# system's own, leaving out of standard error the bus's own chatter and the lines that match
# PRIVATE_BUS_NOISE (an extended regular expression).
if [ -z "${KESTRUNE_PRIVATE_BUS:-}" ]; then
  exec env KESTRUNE_PRIVATE_BUS=1 dbus-run-session \
    ${PRIVATE_BUS_CONFIG:+--config-file="$PRIVATE_BUS_CONFIG"} -- "$0" "$@" \
    2> >(grep -v -E "^dbus-daemon${PRIVATE_BUS_NOISE:+|$PRIVATE_BUS_NOISE}" >&2)
fi
