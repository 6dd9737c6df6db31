#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer (no recovery) into
# build-asan/ and runs every test there; LeakSanitizer runs with AddressSanitizer. Left out: the
# storm and the alarm on PipeWire, which test the desktop more than the program's memory and take
# long under the sanitizers (the alarm on PulseAudio runs the same code of the program), and the
# Wayland tests, whose compositor libraries leak at exit.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKESTRUNE_SANITIZE=address,undefined >/dev/null
cmake --build build-asan -j"$(nproc)"
cd build-asan
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS=suppressions=$PWD/../tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --output-on-failure -j"$(nproc)" -E "kestrune_e2e_|kestrune_wayland_tests"
# The real program: Qt's libraries keep no frame pointers, so its leak reports need the slow
# unwinder to reach the frames that the suppressions name.
ASAN_OPTIONS=$ASAN_OPTIONS:fast_unwind_on_malloc=0 ctest --output-on-failure \
  -R "kestrune_e2e_" -E "kestrune_e2e_(storm|alarm_pipewire)"
