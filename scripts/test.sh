#!/usr/bin/env bash
# Installs what is missing, builds Kestrune and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh xvfb xdotool x11-utils imagemagick  # the end-to-end checks on an X server
scripts/build.sh
cd build
ctest --output-on-failure -j"$(nproc)"
