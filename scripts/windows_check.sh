#!/usr/bin/env bash
# Builds Kestrune for Windows (scripts/windows_build.sh) and tests it under Wine, in a Wine prefix
# of its own on an X server of its own: the logic tests built for Windows; the real program, whose
# typed duration and name are drawn, whose 2-second countdown started with the mouse turns the
# window red on time and whose Exit ends it; its notice at time up and its request to stay awake
# while counting; its alarm, which a PulseAudio server of the test's own records through Wine's
# sound driver; the installer, the zip and the MSI.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/windows_build.sh

source tests/e2e/wine_session.sh
trap stop_wine EXIT
start_wine

(cd build-windows/build && ../../scripts/ctest_counted.sh)
tests/e2e/countdown_test.sh wine build-windows/stage/kestrune.exe
tests/e2e/windows_desktop_test.sh build-windows/stage/kestrune.exe
SOUND_SERVER=pulseaudio tests/e2e/alarm_sound_test.sh build-windows/stage/kestrune.exe five wine
version=$(sed -n 's/^project(Kestrune VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
tests/e2e/windows_install_test.sh "build-windows/kestrune-$version-setup.exe" \
  "build-windows/kestrune-$version-windows-x64.zip" "build-windows/kestrune-$version-windows-x64.msi"
