# Sourced by the checks that read the program as a screen reader does; call screen_reader_on after
# start_xvfb, before the program starts.

# Sets up what a desktop session with its screen reader on has before any program starts: the
# accessibility bus, launched at login by its autostart entry (at-spi-bus-launcher
# --launch-immediately, which also puts the bus's address on the X root window), marked enabled.
# Qt 5.15 needs the bus running as the program starts: where it has to ask for the address
# first, its bridge registers the program on a connection not yet made, and never again.
screen_reader_on() {
  local launcher
  launcher=$(awk -F= '$1 == "Exec" { print $2 }' /usr/share/dbus-1/services/org.a11y.Bus.service)
  $launcher --launch-immediately &
  wait_until 10 accessibility_bus_up || { echo "the accessibility bus did not start"; return 1; }
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
    variant:boolean:true >/dev/null
}

# Asked of the session bus, not of org.a11y.Bus: a call to a name that nobody owns yet would have
# the bus start a second launcher.
accessibility_bus_up() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus | grep 'boolean true' >/dev/null
}
