#!/usr/bin/env bash
# Builds the Debian package with dpkg-buildpackage from a copy of the tree in build-deb/, checks it
# as a Debian maintainer would (lintian, hardening-check, appstreamcli, desktop-file-validate),
# installs it with apt-get, checks the manual page, starts the installed program under Xvfb and
# checks that its window appears, installs the package again while that program counts down (as an
# upgrade replaces its files) and checks that the countdown still ends in time up, then removes it
# and checks that it left nothing behind.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --only lintian devscripts appstream desktop-file-utils man-db \
  xvfb xdotool imagemagick

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if dpkg-query -W -f='${Status}' kestrune 2>/dev/null | grep -q 'install ok installed'; then
  echo "kestrune is already installed here; not touching it"
  exit 1
fi

work=$PWD/build-deb
rm -rf "$work"
mkdir -p "$work/src"
git ls-files --cached --others --exclude-standard | while read -r file; do
  [ -e "$file" ] && cp --parents -- "$file" "$work/src/"
done
echo "building the package (log in build-deb/build.log)"
# The package's own Build-Depends, as debian/control lists them.
DEBIAN_FRONTEND=noninteractive $sudo apt-get build-dep -y -qq "$work/src/" >"$work/build.log" 2>&1 ||
  { cat "$work/build.log"; echo "apt-get build-dep failed"; exit 1; }
(cd "$work/src" && dpkg-buildpackage -us -uc -b) >>"$work/build.log" 2>&1 ||
  { tail -n 40 "$work/build.log"; echo "dpkg-buildpackage failed"; exit 1; }
deb=$(ls "$work"/kestrune_*.deb)
release=$(. /etc/os-release && echo "${VERSION_ID:-}")
[ -z "$release" ] || [[ $deb == *"~deb${release}_"* ]] ||
  { echo "the package's version does not name Debian $release: ${deb##*/}"; exit 1; }
ls "$work"/kestrune-dbgsym_*.deb >/dev/null || { echo "no -dbgsym package"; exit 1; }
echo "built $(basename "$deb"):"
dpkg-deb --field "$deb" Depends | tr ',' '\n' | sed 's/^ */  depends: /'

echo "== lintian"
lintian --pedantic --fail-on error,warning "$deb" "$work"/kestrune-dbgsym_*.deb
echo "== hardening-check"
dpkg-deb -x "$deb" "$work/root"
# Branch protection (BTI and PAC) is AArch64's; elsewhere control-flow integrity is its counterpart.
# Debian 13's hardening-check asks for it on every architecture.
not_here=()
options=$(hardening-check --help 2>&1 || true)
if [ "$(dpkg --print-architecture)" != arm64 ] && [[ $options == *--nobranchprotection* ]]; then
  not_here=(--nobranchprotection)
fi
hardening-check "${not_here[@]}" "$work/root/usr/bin/kestrune" \
  "$work/root/usr/lib/kestrune/kestrune_alarm.so"
echo "== appstreamcli validate"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.kestrune.Kestrune.metainfo.xml"
echo "== desktop-file-validate"
desktop-file-validate "$work/root/usr/share/applications/org.kestrune.Kestrune.desktop"
grep -q '^Name\[zh_CN\]=新计时器$' "$work/root/usr/share/applications/org.kestrune.Kestrune.desktop" ||
  { echo "the desktop entry offers no new timer"; exit 1; }

echo "== installed"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; exit 1; }
installed=$(dpkg -L kestrune)
source tests/e2e/xvfb_session.sh
removed=false
remove() {
  $removed && return
  removed=true
  DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq kestrune >/dev/null 2>&1 || true
}
at_exit remove

for file in /usr/bin/kestrune /usr/lib/kestrune/kestrune_alarm.so \
  /usr/share/applications/org.kestrune.Kestrune.desktop \
  /usr/share/metainfo/org.kestrune.Kestrune.metainfo.xml \
  /usr/share/icons/hicolor/{16x16,32x32,48x48,256x256}/apps/kestrune.png \
  /usr/share/icons/hicolor/scalable/apps/kestrune.svg; do
  [ -e "$file" ] || { echo "missing after install: $file"; exit 1; }
done
grep -q "countdown timer for timed bedside procedures" <(man -P cat kestrune 2>/dev/null) ||
  { echo "man kestrune does not show the page"; exit 1; }
LANGUAGE=zh_CN man -L zh_CN -w kestrune | grep -q zh_CN || { echo "no Chinese manual page"; exit 1; }
echo "man kestrune shows the page, in English and Chinese"

start_xvfb
start_kestrune /usr/bin/kestrune
echo "installed program opened its window: ${WIDTH}x${HEIGHT} at $X,$Y"
# Long enough that the sound module, loaded in the last 10 s, is loaded after the files changed.
type_into seconds 15
click_button start
wait_colour running 2 || { echo "not running after Start"; exit 1; }
DEBIAN_FRONTEND=noninteractive $sudo apt-get install --reinstall -y -qq "$deb" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; exit 1; }
wait_colour red 20 || { echo "no time up after the package was installed again"; exit 1; }
kill -0 "$APP_PID" || { echo "the program ended when the package was installed again"; exit 1; }
echo "installed again while it counted down: the program went on to time up"
kill "$APP_PID"

remove
left=$(echo "$installed" | while read -r path; do [ -f "$path" ] && echo "$path"; done || true)
[ -z "$left" ] || { echo "left behind after apt-get remove:"; echo "$left"; exit 1; }
dpkg-query -W -f='${Status}\n' kestrune 2>/dev/null | grep -q 'not-installed\|^$' ||
  [ -z "$(dpkg-query -W -f='${Status}' kestrune 2>/dev/null)" ] ||
  { echo "still known to dpkg: $(dpkg-query -W -f='${Status}' kestrune)"; exit 1; }
echo "apt-get remove left nothing behind"
echo "package check: passed"
