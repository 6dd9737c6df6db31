#!/usr/bin/env bash
# Runs ctest in the current folder with the arguments given, showing what failed, and counts its
# checks: run (passed or failed) and skipped. "No tests were found" is a failure, and so is a
# skipped check where every check must run: on CI (CI set), and when KESTRUNE_EVERY_CHECK is set, as
# scripts/test.sh sets it, its set-up having installed all that the checks need. The counts are
# added to the file KESTRUNE_TALLY, when set, as a line "RUN SKIPPED".
# --parallel runs one check more at a time than there are cores: Orca's and the reminders' checks
# hold a place each for a minute or more while mostly waiting, and the rest run beside them.
set -euo pipefail
if [ "${1:-}" = --parallel ]; then
  shift
  set -- -j"$(($(nproc) + 1))" "$@"
fi
junit=$(mktemp)
trap 'rm -f "$junit"' EXIT
status=0
ctest --output-on-failure --no-tests=error --output-junit "$junit" "$@" || status=$?
read -r run skipped < <(python3 - "$junit" <<'PY'
import sys
import xml.etree.ElementTree as ET
cases = ET.parse(sys.argv[1]).getroot().iter("testcase")
run = skipped = 0
for case in cases:
    if case.get("status") == "notrun" or case.find("skipped") is not None:
        skipped += 1
    else:
        run += 1
print(run, skipped)
PY
) || { run=0 skipped=0; }
echo "checks: $run run, $skipped skipped"
[ -z "${KESTRUNE_TALLY:-}" ] || echo "$run $skipped" >>"$KESTRUNE_TALLY"
if [ "$skipped" -gt 0 ] && { [ -n "${CI:-}" ] || [ -n "${KESTRUNE_EVERY_CHECK:-}" ]; }; then
  echo "$skipped checks skipped where every check must run"
  status=1
fi
exit $status
