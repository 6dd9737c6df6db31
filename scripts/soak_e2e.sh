#!/usr/bin/env bash
# Runs the end-to-end checks of the real program RUNS times over (20 by default), from the normal
# build and from the sanitizer build in turn, while busy loops keep every core busy, as other work
# does on a shared machine: as many as the machine has cores, or SOAK_BUSY. Stops at the first
# failure and shows its output. CHECKS, a regular expression, picks some of the checks (the
# alarm's, say: kestrune_e2e_alarm_). Usage: scripts/soak_e2e.sh [RUNS] [CHECKS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-20}
scripts/setup.sh --tests
scripts/build.sh >/dev/null
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKESTRUNE_SANITIZE=address,undefined >/dev/null
cmake --build build-asan -j"$(nproc)" >/dev/null

busy=()
for _ in $(seq "${SOAK_BUSY:-$(nproc)}"); do
  (while :; do :; done) &
  busy+=($!)
done
trap 'kill "${busy[@]}" 2>/dev/null || true' EXIT

log=$(mktemp)
started=$SECONDS
for run in $(seq "$runs"); do
  for build in build build-asan; do
    if ! (
      if [ $build = build-asan ]; then
        source scripts/sanitizer_env.sh
        exclude="kestrune_e2e_(storm|alarm_pipewire|reminders)"
      else
        exclude="^$"
      fi
      cd $build && ../scripts/ctest_counted.sh -R "${2:-kestrune_e2e_}" -E "$exclude"
    ) >"$log" 2>&1; then
      cat "$log"
      echo "soak: run $run of $runs FAILED in $build/ after $((SECONDS - started)) s"
      exit 1
    fi
    echo "soak: run $run of $runs passed in $build/ ($(grep -c ' Passed ' "$log") checks)"
  done
done
echo "soak: $runs runs passed in build/ and build-asan/ in $(((SECONDS - started) / 60)) min" \
  "$(((SECONDS - started) % 60)) s, every core kept busy"
