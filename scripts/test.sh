#!/usr/bin/env bash
# Installs what is missing, builds Kestrune and runs every test: the normal build's tests (logic,
# soak, window, and the real program under Xvfb, its alarm recorded by a sound server), the tick and
# countdown tests on the portable clock and wake-up timer, the tests built with AddressSanitizer and
# UndefinedBehaviorSanitizer, each fuzz target for a bounded time, and the .deb installed and
# started.
set -euo pipefail
cd "$(dirname "$0")/.."
# Xvfb and friends to drive the real program, PulseAudio and PipeWire to record its alarm, the
# accessibility bus and pyatspi to read it as a screen reader does, dunst to show its notification,
# Weston for a Wayland compositor, clang to fuzz.
scripts/setup.sh xvfb xdotool imagemagick \
  pulseaudio pulseaudio-utils pipewire pipewire-pulse wireplumber dbus python3 \
  at-spi2-core python3-pyatspi dunst \
  weston qt6-wayland clang libclang-rt-dev
scripts/build.sh
(cd build && ctest --output-on-failure -j"$(nproc)")
scripts/portable_check.sh
KESTRUNE_SOAK_EVENTS=200000 scripts/sanitize.sh
FUZZ_SECONDS=20 scripts/fuzz.sh
scripts/package_check.sh
