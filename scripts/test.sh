#!/usr/bin/env bash
# Installs what is missing, builds Kestrune and runs every test: the normal build's tests (logic,
# soak, window, and the real program under Xvfb, its alarm recorded by a sound server), the tick and
# countdown tests on the portable clock and wake-up timer, the tests built with AddressSanitizer and
# UndefinedBehaviorSanitizer, each fuzz target for a bounded time, and the .deb installed and
# started.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
scripts/build.sh
(cd build && ctest --output-on-failure -j"$(nproc)")
scripts/portable_check.sh
KESTRUNE_SOAK_EVENTS=200000 scripts/sanitize.sh
FUZZ_SECONDS=${FUZZ_SECONDS:-20} scripts/fuzz.sh
scripts/package_check.sh
