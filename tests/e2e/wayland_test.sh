#!/usr/bin/env bash
# Runs the Wayland window tests on a headless Weston compositor of their own.
set -euo pipefail
source "$(dirname "$0")/common.sh"
test_binary=$1
if ! command -v weston >/dev/null || ! ls /usr/lib/*/qt6/plugins/platforms/libqwayland* >/dev/null 2>&1; then
  skip "no Weston or no Qt Wayland platform here"
fi
export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket=kestrune-test --idle-time=0 \
  >"$XDG_RUNTIME_DIR/weston.log" 2>&1 &
weston=$!
trap 'kill $weston 2>/dev/null || true; rm -rf "$XDG_RUNTIME_DIR"' EXIT
for _ in $(seq 50); do [ -S "$XDG_RUNTIME_DIR/kestrune-test" ] && break; sleep 0.1; done
WAYLAND_DISPLAY=kestrune-test QT_QPA_PLATFORM=wayland "$test_binary"
