#!/usr/bin/env bash
# What the program writes on the disk, what it connects to, and whether a patient's name goes
# anywhere but the window: runs the real program under strace through a whole countdown as a nurse
# uses it (a name typed, a countdown to time up, Reset, a preset, Pause, Exit), on Xvfb with a
# sound server, a session bus and a notification server of its own and an empty home folder, and
# prints every file it created, wrote, renamed or removed, every connection it made, the place
# lock's content, and whether the name reached a file. It fails if the name did.
# Usage: scripts/audit_files.sh [PROGRAM] (the installed or built program; build/app/kestrune by
# default, built when missing), or scripts/audit_files.sh wine [KESTRUNE.EXE] for the Windows build
# under Wine as Windows 10 (build-windows/x64/stage/kestrune.exe by default; run
# scripts/windows_build.sh first). Under Wine, Wine's server opens files for the program, and it
# is traced too: what Wine writes for itself (its registry files, its server's socket) is listed
# apart.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${KESTRUNE_PRIVATE_BUS:-}" ]; then
  scripts/setup.sh strace xvfb xdotool imagemagick x11-xserver-utils dbus dunst pulseaudio python3 procps
  [ "${1:-}" != wine ] || scripts/setup.sh --windows xclip
  [ $# -gt 0 ] || [ -x build/app/kestrune ] || scripts/build.sh >/dev/null
  exec env KESTRUNE_PRIVATE_BUS=1 dbus-run-session \
    --config-file=tests/e2e/session_bus.conf -- "$0" "$@"
fi
if [ "${1:-}" = wine ]; then
  program=(wine "$(realpath "${2:-build-windows/x64/stage/kestrune.exe}")")
else
  program=("$(realpath "${1:-build/app/kestrune}")")
fi
name=王芳

source tests/e2e/xvfb_session.sh
source tests/e2e/pulse_session.sh
source tests/e2e/notification_session.sh
start_xvfb
pulse_up
at_exit pulse_cleanup
notifications_up
at_exit notifications_down
audit=$(mktemp -d)
at_exit 'rm -rf "$audit"'
export HOME=$audit/home
mkdir "$HOME"
if [ "${program[0]}" = wine ]; then
  source tests/e2e/wine_session.sh
  at_exit stop_wine
  start_wine x64 win10
fi

# Every call that can make, change or remove a file, every connection and every write, with names
# and the first 4 KiB of what is written in full. -y shows each descriptor as what it is: a file's
# path, or a socket, a pipe, shared memory. Under Wine every request to its server is a write, and
# tracing them slows it past any deadline: there writes are not traced, and the files written are
# read afterwards.
calls=%file,ftruncate,connect,write,pwrite64,writev,sendmsg,sendto writes_traced=yes
[ "${program[0]}" != wine ] || calls=%file,ftruncate,connect writes_traced=no
keys_for "$name"
WINDOW_WAIT=60 start_kestrune strace -f -qq -y -s 4096 -o "$audit/calls" -e trace=$calls \
  -e signal=none "${program[@]}"
[ "${program[0]}" != wine ] || EXIT_ALLOWANCE=6
# Ended early, strace leaves what it traces running.
at_exit '[ -z "$APP_PID" ] || pkill -P "$APP_PID"'
if [ "${program[0]}" = wine ]; then
  paste_into name "$name" # Wine's X11 driver here turns no key press into a Chinese character
else
  type_into name "$name"
fi
count_down 2
# The lock is in the runtime folder, or in the temporary folder, %TEMP%, on Windows.
lock_content=$(cat "$XDG_RUNTIME_DIR"/kestrune-*place-*.lock \
  "${WINEPREFIX:-/nonexistent}"/drive_c/users/*/Temp/kestrune-*place-*.lock 2>/dev/null || true)
click_button reset
click_button temperature
sleep 1.2
click_button pause
click_button exit
ended_within 5 Exit
wait "$APP_PID" || true
APP_PID=""

# The calls that write: an open for writing or creating, and every call that makes, renames or
# removes a name, or truncates a file; reads, and calls that failed, are left out.
opens='^(open|openat|creat)\(.*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC)'
names='^(mkdir|rename|unlink|rmdir|truncate|link|symlink)(at|at2)?\('
truncations='^ftruncate\([0-9]+</[^m]' # not of shared memory (memfd:)
writes=$(sed -E 's/^[0-9]+ +//' "$audit/calls" | grep -v ' = -1 ' |
  grep -E "$opens|$names|$truncations" || true)
# A call's path: after the directory descriptor, or the descriptor's own.
path_of='^([a-z0-9_]+)\((AT_FDCWD<[^>]*>, |AT_FDCWD, |[0-9]+<)?"?([^",>]*).*'
# Written as "call path", one of each, with what varies from run to run replaced by <...>.
listed() {
  sed -E "s/$path_of/  \\1 \\3/" |
    sed -E -e "s|$XDG_RUNTIME_DIR|\$XDG_RUNTIME_DIR|; s|$HOME|\$HOME|" \
      -e "s|${WINEPREFIX:-/nonexistent}|\$WINEPREFIX|g" \
      -e "s|/[0-9]+/task/[0-9]+/|/<pid>/task/<tid>/|" \
      -e 's/(tmpmap-|reg)[0-9a-f]+/\1<n>/' | sort -u
}
if [ -z "${WINEPREFIX:-}" ]; then
  echo "files written by the program (\$XDG_RUNTIME_DIR is $XDG_RUNTIME_DIR, \$HOME $HOME):"
  listed <<<"$writes" | grep . || echo "  none"
else
  echo "files written on the Windows drive, C: (\$WINEPREFIX is $WINEPREFIX):"
  listed <<<"$writes" | grep -E 'drive_c|dosdevices/c:' || echo "  none"
  echo "files Wine wrote for itself (relative names are in \$WINEPREFIX or its server's folder):"
  listed <<<"$writes" | grep -vE 'drive_c|dosdevices/c:' || true
fi
# What it connected to: a socket's path, or a network address, how often, and whether it failed.
echo "connections made:"
connection='^[0-9]+ +connect\([0-9]+<[^>]*>, \{sa_family=([A-Z_0-9]+), ([^}]*)\}, [0-9]+\)'
connection+=' += (-1 [A-Z]+)?.*'
sed -nE "s/$connection/\\1 \\2 \\3/p" "$audit/calls" |
  sed -E -e "s|$XDG_RUNTIME_DIR|\$XDG_RUNTIME_DIR|" -e 's/sun_path=//; s/ *$//' |
  sort | uniq -c
echo "the place lock's content while the program ran:"
sed 's/^/  /' <<<"${lock_content:-(no lock)}"
echo "left in the home folder:"
(cd "$HOME" && find . -mindepth 1 | sed 's/^/  /')
echo "Kestrune's files left in the runtime folder:" \
  "$(find "$XDG_RUNTIME_DIR" -mindepth 1 -name 'kestrune*' | wc -l)"
# Where the name went. strace writes what is not ASCII as octal escapes.
escaped=$(printf '%s' "$name" | od -An -to1 -v | tr -s ' ' | sed 's/ /\\\\/g')
named=$(grep -e "$escaped" "$audit/calls" || true)
# Writes to a socket (the notification, on the session bus; the screen reader's bus) are where it
# is meant to go; a path, or a write to a file, is not.
to_sockets='^[0-9]+ +(write|writev|sendmsg|sendto)\([0-9]+<(socket|UNIX|pipe):'
in_files=$(grep -vE "$to_sockets" <<<"$named" | grep . || true)
# Whether the name is in a file: as UTF-8, as UTF-16 (Windows' own), or as Wine's registry files
# write it ("\x738b\x82b3").
name_in_file() {
  python3 - "$name" "$1" <<'PY'
import sys
name, path = sys.argv[1], sys.argv[2]
data = open(path, "rb").read()
escaped = "".join(c if ord(c) < 128 else "\\x%04x" % ord(c) for c in name)
forms = (name.encode("utf-8"), name.encode("utf-16-le"), escaped.encode())
sys.exit(0 if any(form in data for form in forms) else 1)
PY
}
# The files written that are still there, read now. Wine's server names its registry files
# relative to the prefix.
while read -r file; do
  case $file in /*) ;; *) file=${WINEPREFIX:-.}/$file ;; esac
  [ -f "$file" ] && name_in_file "$file" && in_files+=${in_files:+$'\n'}"in $file"
done < <(sed -E "s/$path_of/\\3/" <<<"$writes" | sort -u)
if [ -n "$in_files" ]; then
  echo "the name $name reached files:"
  echo "$in_files"
  exit 1
fi
if [ "$writes_traced" = no ]; then
  echo "the name $name: in no file's name, nor in any file written that is left"
else
  echo "the name $name: sent over sockets $(grep -c . <<<"$named" || true) times;" \
    "in no file's name or content"
fi
