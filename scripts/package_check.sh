#!/usr/bin/env bash
# Builds the .deb, checks its desktop entry, installs it with apt-get on this machine, starts the
# installed program under Xvfb and checks that its window appears; then removes it again.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh file dpkg-dev desktop-file-utils xvfb xdotool x11-utils
scripts/build.sh >/dev/null

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
desktop-file-validate data/kestrune.desktop
(cd build && rm -f kestrune_*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$PWD"/build/kestrune_*.deb)
echo "built $(basename "$deb"):"
dpkg-deb --field "$deb" Depends | tr ',' '\n' | sed 's/^ */  depends: /'

if dpkg-query -W -f='${Status}' kestrune 2>/dev/null | grep -q 'install ok installed'; then
  echo "kestrune is already installed here; not touching it"; exit 1
fi
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb" >/dev/null
trap 'DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq kestrune >/dev/null; stop_xvfb' EXIT

for file in /usr/bin/kestrune /usr/lib/kestrune/kestrune_alarm.so \
  /usr/share/applications/kestrune.desktop \
  /usr/share/icons/hicolor/{16x16,32x32,48x48,256x256}/apps/kestrune.png \
  /usr/share/icons/hicolor/scalable/apps/kestrune.svg; do
  [ -e "$file" ] || { echo "missing after install: $file"; exit 1; }
done

source tests/e2e/xvfb_session.sh
start_xvfb
start_kestrune /usr/bin/kestrune
echo "installed program opened its window: ${WIDTH}x${HEIGHT} at $X,$Y"
kill "$APP_PID"
echo "package check: passed"
