#!/usr/bin/env bash
# Installs, with apt-get, whatever the build and the program need and this machine lacks, and the
# packages named on the command line; with --only first, just the packages named.
set -euo pipefail

build=(
  cmake g++ make pkg-config
  qt6-base-dev                          # Qt Widgets, the toolkit of the window
  qt6-multimedia-dev                    # Qt Multimedia, to play the alarm through the sound server
  libgtest-dev libgmock-dev             # the logic tests
  fonts-wqy-microhei                    # a face with the Chinese captions
  fonts-liberation2                     # Liberation Sans, with Arial's metrics, for the display
)
if [ "${1:-}" = --only ]; then
  shift
  packages=("$@")
else
  packages=("${build[@]}" "$@")
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
