#!/usr/bin/env bash
# Installs what is missing, builds Kestrune and runs every test: the normal build's tests (logic,
# soak, window, and the real program under Xvfb), then the same tests built with AddressSanitizer
# and UndefinedBehaviorSanitizer, then each fuzz target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
# Xvfb and friends for the checks of the real program; clang for the fuzz targets.
scripts/setup.sh xvfb xdotool x11-utils imagemagick clang libclang-rt-14-dev
scripts/build.sh
(cd build && ctest --output-on-failure -j"$(nproc)")
KESTRUNE_SOAK_EVENTS=200000 scripts/sanitize.sh
FUZZ_SECONDS=20 scripts/fuzz.sh
