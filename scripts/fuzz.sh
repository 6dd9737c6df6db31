#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for FUZZ_SECONDS (20 by default; 0 skips them),
# starting from the seed corpus in fuzz/corpus/. New inputs go to a scratch folder, not into the
# repository.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-20}
if [ "$seconds" -eq 0 ]; then
  echo "fuzzing: skipped (FUZZ_SECONDS=0)"
  exit 0
fi
scripts/setup.sh clang libclang-rt-dev

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKESTRUNE_WITH_QT=OFF -DKESTRUNE_TESTS=OFF -DKESTRUNE_FUZZ=ON \
  -DKESTRUNE_SANITIZE=address,undefined >/dev/null
cmake --build build-fuzz -j"$(nproc)"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for target in field_number duration_text finish_time; do
  mkdir -p "$scratch/$target"
  echo "fuzzing $target for $seconds s"
  status=0
  build-fuzz/fuzz/${target}_fuzz -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$scratch/" "$scratch/$target" "fuzz/corpus/$target" >"$scratch/log" 2>&1 ||
    status=$?
  grep -E '^(stat::number_of_executed_runs|SUMMARY|Done)' "$scratch/log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$scratch/log"
    echo "$target: failed"
    exit 1
  fi
done
echo "fuzzing: passed"
