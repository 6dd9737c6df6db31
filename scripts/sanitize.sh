#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer (no recovery) into
# build-asan/ and runs every test there; LeakSanitizer runs with AddressSanitizer. Left out: the
# storm and the alarm on PipeWire, which test the desktop more than the program's memory and take
# long under the sanitizers (the alarm on PulseAudio runs the same code of the program), the
# reminders, whose 75 s of real waiting add no code that Orca's check, which hears a reminder, does
# not run here too, Orca with the focus in another program, which runs the same code of the program
# as with the focus in it, Orca's control, which runs a stand-in for the program, not the program,
# and the Wayland tests, whose compositor libraries leak at exit. With --e2e, only the real
# program's tests.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKESTRUNE_SANITIZE=address,undefined >/dev/null
cmake --build build-asan -j"$(nproc)"
source scripts/sanitizer_env.sh
cd build-asan
if [ "${1:-}" != --e2e ]; then
  # The logic and window tests unwind quickly: their leaks would be the project's own.
  ASAN_OPTIONS=${ASAN_OPTIONS/fast_unwind_on_malloc=0/fast_unwind_on_malloc=1} \
    ../scripts/ctest_counted.sh -j"$(nproc)" -E "kestrune_e2e_|kestrune_wayland_tests"
fi
../scripts/ctest_counted.sh --parallel -R "kestrune_e2e_" \
  -E "kestrune_e2e_(storm|alarm_pipewire|reminders|orca_elsewhere|orca_control)"
