#!/usr/bin/env bash
# Without a display the program says so in one sentence and exits with status 1, without a core.
set -uo pipefail
kestrune=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
ulimit -c unlimited 2>/dev/null || true
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$kestrune" >out.txt 2>err.txt
status=$?
[ "$status" -eq 1 ] || { echo "exit status $status, not 1"; cat err.txt; exit 1; }
[ "$(cat err.txt)" = "kestrune: there is no display to open the window on." ] ||
  { echo "said:"; cat err.txt; exit 1; }
[ -z "$(ls core* 2>/dev/null)" ] || { echo "left a core dump"; exit 1; }
echo "no display: passed"
