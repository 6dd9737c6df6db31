#!/usr/bin/env bash
# Orca, the screen reader itself, speaks time up: the real program under Xvfb, on a D-Bus session
# of the test's own with accessibility switched on before the program starts, Orca with its debug
# log, and speech-dispatcher with an output module that writes what it is given to a file, timed,
# instead of speaking it (its sound goes to a sound server of the test's own, with a null output).
# Usage: orca_test.sh KESTRUNE SCENARIO
#   focused    the focus stays in Kestrune: "Li时间到！" is spoken within 2 s of the window
#              turning red, and nothing of the countdown's display while it counts; the reminder
#              30 s later is spoken once more (not waited for with ORCA_REMINDER=0)
#   elsewhere  the focus is in another program's window at time up: the same
#   control    KESTRUNE is the program with its earlier alert-role announcement: the check of
#              "focused" must fail, as Orca says nothing of an alert that appears
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
PRIVATE_BUS_NOISE='^X connection to|^SpiRegistry daemon' source "$here/private_bus.sh"
kestrune=$1
scenario=$2
source "$here/common.sh"
require orca speech-dispatcher /usr/lib/speech-dispatcher-modules/sd_generic pulseaudio
# Not Orca's --replace, which would end the screen reader of a developer who runs the checks.
if pgrep -u "$(id -u)" -x orca >/dev/null; then
  skip "Orca already runs for this user, and a second would not start"
fi
source "$here/xvfb_session.sh"
source "$here/pulse_session.sh"
source "$here/accessibility_bus.sh"
work=$(mktemp -d)
# Orca is gone before the check ends: Orca will not start while another of the same user runs.
stop_orca() {
  [ -n "${ORCA:-}" ] || return 0
  kill "$ORCA" 2>/dev/null || true
  timeout 5 tail --pid="$ORCA" -f /dev/null || kill -9 "$ORCA" 2>/dev/null || true
  wait "$ORCA" 2>/dev/null || true
}
at_exit 'stop_orca; kill ${SPEECH:-} ${OTHER:-} 2>/dev/null || true; pulse_cleanup; [ -n "${KEEP_ORCA_WORK:-}" ] || rm -rf "$work"'

# Orca and speech-dispatcher read their settings from folders of the test's own.
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data GSETTINGS_BACKEND=memory
mkdir -p "$HOME" "$XDG_CONFIG_HOME/speech-dispatcher/modules" "$XDG_DATA_HOME"
spoken=$work/spoken
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<CONF
LogDir "$work"
AudioOutputMethod "pulse"
AddModule "recorder" "sd_generic" "recorder.conf"
DefaultModule recorder
CONF
# Each text given to speak, after the time in ms of the wall clock.
cat >"$XDG_CONFIG_HOME/speech-dispatcher/modules/recorder.conf" <<CONF
GenericExecuteSynth "printf '%s %s\\\\n' \\"\\\$(date +%s%3N)\\" \\'\\\$DATA\\' >>$spoken"
DefaultVoice "en"
CONF
# In UTF-8 whatever the language, or the Chinese is lost: Orca 43 asks for "en", Orca 48 for the
# locale's, "c" in C.UTF-8.
for language in c en en-us en-gb zh zh-cn; do
  echo "AddVoice \"$language\" \"MALE1\" \"$language\""
  echo "GenericLanguage \"$language\" \"$language\" \"utf-8\""
done >>"$XDG_CONFIG_HOME/speech-dispatcher/modules/recorder.conf"

# Waits up to SECONDS for a line of what was spoken that matches PATTERN (grep -E), from line
# FROM on; prints the first.
heard() {
  wait_until "$1" spoken_from "${3:-1}" "$2" && spoken_from "${3:-1}" "$2"
}
spoken_from() { tail -n +"$1" "$spoken" 2>/dev/null | grep -m1 -E "$2"; }
spoken_lines() { [ -e "$spoken" ] && wc -l <"$spoken" || echo 0; }

start_xvfb
pulse_up || { echo "the sound server did not start"; exit 1; }
dbus-update-activation-environment DISPLAY
screen_reader_on
speech-dispatcher -s -t 0 -C "$XDG_CONFIG_HOME/speech-dispatcher" >"$work/speechd.out" 2>&1 &
SPEECH=$!

start_kestrune "$kestrune"
if [ "$scenario" = elsewhere ]; then
  # Another program's window, to take the focus from Kestrune. It is there before Orca starts:
  # a window that appears and takes the focus while Orca starts up can leave Orca deaf to every
  # program (seen with Orca 48, which then had no active window and heard no further event).
  "$PYTHON" -c 'import gi
gi.require_version("Gtk", "3.0")
from gi.repository import Gtk
window = Gtk.Window(title="Other")
window.add(Gtk.Entry())
window.show_all()
Gtk.main()' &
  OTHER=$!
  other=$(timeout 10 xdotool search --sync --onlyvisible --name '^Other$' | head -1)
fi
# Long enough, where the focus moves away, for Orca to follow it before time up on a busy machine
# (a click in Kestrune makes it the active window, so the focus can only move once it counts).
seconds=3
[ "$scenario" != elsewhere ] || seconds=12
# Typed before Orca starts. Orca answers every key before Qt hands it to the field, so with Orca
# running a key could still be on its way when Start is clicked, and the time or the name be cut.
type_into seconds $seconds
type_into name Li
orca --debug-file="$work/orca.log" >"$work/orca.out" 2>&1 &
ORCA=$!
heard 20 "Screen reader on" >/dev/null || { echo "Orca did not start"; cat "$work/orca.out"; exit 1; }
# Orca hears a program only once the program has learnt of Orca's listeners, which can take seconds
# after "Screen reader on" (Orca 48 registers them again as it settles): until then the focus is
# moved between two fields, until Orca names the one it went to.
follows=""
for field in hours seconds hours seconds hours seconds hours seconds hours seconds; do
  read -r -a rect <<<"${FIELD[$field]}"
  from=$(($(spoken_lines) + 1))
  click_at $((rect[0] + 8)) $((rect[1] + rect[3] / 2))
  if heard 2 "小时|秒" "$from" >/dev/null; then follows=yes && break; fi
done
[ -n "$follows" ] || { echo "Orca does not follow the focus in Kestrune"; cat "$spoken"; exit 1; }
started_at=$(($(spoken_lines) + 1))
click_button start
wait_colour running 2 || exit 1
if [ "$scenario" = elsewhere ]; then
  xdotool windowfocus --sync "$other"
  # Orca names the other window, or only its unnamed entry when the window's activation reaches it
  # out of turn with Kestrune's, which the click on Start activated (slowly, in a sanitizer build).
  heard $((seconds - 2)) "Other frame|^[0-9]+ text\.$" "$started_at" >/dev/null || {
    echo "the focus did not move to the other window"
    cat "$spoken"
    exit 1
  }
fi
wait_colour red $((seconds + 3)) || exit 1
red=$(date +%s%3N)
red_at=$(spoken_lines)

said=$(heard 2 "Li时间到" "$started_at") || said=""
case $scenario in
  control)
    [ -z "$said" ] || { echo "Orca spoke the alert-role announcement: $said"; exit 1; }
    echo "control: nothing spoken of time up within 2 s of red, as expected of an alert"
    ;;
  *)
    [ -n "$said" ] || { echo "Orca said nothing of time up within 2 s of red"; cat "$spoken"; exit 1; }
    echo "Orca spoke '${said#* }' $((${said%% *} - red)) ms after the window was seen red"
    sleep 1
    times=$(tail -n +"$started_at" "$spoken" | grep -c "Li时间到" || true)
    [ "$times" -eq 1 ] || { echo "time up spoken $times times, not once:"; cat "$spoken"; exit 1; }
    if [ "$scenario" = focused ] && [ "${ORCA_REMINDER:-1}" = 1 ]; then
      again=$(heard 33 "Li时间到" "$(($(spoken_lines) + 1))") ||
        { echo "the reminder was not spoken within 34 s of red"; cat "$spoken"; exit 1; }
      echo "Orca spoke the reminder $((${again%% *} - red)) ms after the window was seen red"
      [ $((${again%% *} - red)) -ge 25000 ] || { echo "a reminder too soon"; exit 1; }
      sleep 1
      times=$(tail -n +"$started_at" "$spoken" | grep -c "Li时间到" || true)
      [ "$times" -eq 2 ] || { echo "time up and one reminder spoken $times times:"; cat "$spoken"; exit 1; }
    fi
    if [ "$scenario" = elsewhere ] && grep -q "Kestrune frame" <(tail -n +"$((red_at + 1))" "$spoken"); then
      echo "Kestrune took the focus back at time up:"
      cat "$spoken"
      exit 1
    fi
    if grep -q "00:00:0" <(sed -n "${started_at},${red_at}p" "$spoken"); then
      echo "Orca spoke the countdown's display while it counted:"
      cat "$spoken"
      exit 1
    fi
    # What Orca logged of it, once it has ended and written its log out.
    timeout 5 orca --quit >/dev/null 2>&1 || true
    timeout 5 tail --pid="$ORCA" -f /dev/null || true
    grep -F "Li时间到" "$work/orca.log" | grep -E "SPEECH OUTPUT|^[0-9:.]* - EVENT MANAGER: object:state-changed:showing|OBJECT EVENT" |
      cut -c1-160 | sed 's/^/  orca: /' || true
    ;;
esac
echo "orca, $scenario: passed"
