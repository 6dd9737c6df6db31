#!/usr/bin/env bash
# Builds the program with the portable clock and wake-up timer (a steady clock and a precise
# QTimer, for systems without CLOCK_BOOTTIME and timerfd) into build-portable/, and runs the tick
# and countdown tests on it, the real program's countdown under Xvfb among them.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-portable -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRUNE_PORTABLE_TIMER=ON >/dev/null
cmake --build build-portable -j"$(nproc)" --target kestrune kestrune_logic_tests \
  kestrune_tick_timer_tests
cd build-portable
../scripts/ctest_counted.sh -R "^(kestrune_tick_timer_tests|kestrune_e2e_countdown|TickSchedule\.|Countdown\.)"
