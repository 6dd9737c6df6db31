#!/usr/bin/env bash
# Start-up to the window first shown on an X server (Xvfb), Kestrune against the reference, as
# the median of RUNS starts each, taken in turn: bench/startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh xvfb x11-utils
scripts/build.sh >/dev/null
source tests/e2e/xvfb_session.sh
start_xvfb
# A runtime folder of its own, as every desktop session has: without one, Qt makes one in /tmp and
# says so, which a start-up on a desktop never pays for.
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"
at_exit 'rm -rf "$XDG_RUNTIME_DIR"'
build/bench/kestrune_startup_probe "${1:-21}" build/app/kestrune build/bench/kestrune_reference \
  2>/dev/null
