#!/usr/bin/env bash
# Installs, with apt-get, whatever the build and the program need and this machine lacks, and the
# packages named on the command line. With --tests, also what the tests need; with --windows, what
# building the Windows version and testing it under Wine need; with --only first, just the packages
# named.
set -euo pipefail

build=(
  cmake g++ make pkg-config
  ccache                                # the same sources are built several times over
  qt6-base-dev                          # Qt Widgets, the toolkit of the window
  libpulse-dev                          # the sound server's client library, for the alarm
  libgtest-dev libgmock-dev             # the logic tests
  fonts-wqy-microhei                    # a face with the Chinese captions
  fonts-liberation2                     # Liberation Sans, with Arial's metrics, for the display
)
# Xvfb and friends to drive the real program, PulseAudio and PipeWire to record its alarm, the
# accessibility bus, pyatspi and Orca to read it as a screen reader does, dunst to show its
# notification, Weston for a Wayland compositor, clang to fuzz.
tests=(
  xvfb xdotool imagemagick x11-xserver-utils
  pulseaudio pulseaudio-utils pipewire pipewire-pulse wireplumber dbus python3
  at-spi2-core python3-pyatspi dunst orca speech-dispatcher
  systemd polkitd                       # the real logind and polkit, on a bus of the test's own
  weston qt6-wayland clang libclang-rt-dev
  icewm xterm x11-utils                 # a window manager, a window to type in over Kestrune, xprop
  qtbase5-dev qtwayland5                # the suite is built and run on Qt 5.15 too
)
# The MinGW-w64 compilers for 64- and 32-bit Windows to cross-build Qt and Kestrune, dpkg-dev to
# unpack Debian's Qt source with its patches, GoogleTest's source, NSIS, wixl and zip to package
# them; 64-bit Wine and Wine's own fonts to run them, msitools to read the MSI. (32-bit Wine, for
# the x86 build, is installed by scripts/windows_check.sh x86 where this system can run it.)
windows=(
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools binutils-mingw-w64-x86-64
  binutils-mingw-w64-i686 dpkg-dev perl python3 googletest ninja-build xz-utils nsis wixl zip
  osslsigncode openssl
  imagemagick wine wine64 fonts-wine xvfb xdotool x11-xserver-utils unzip msitools pulseaudio
  pulseaudio-utils icewm xterm x11-utils
)
if [ "${1:-}" = --only ]; then
  shift
  packages=("$@")
else
  packages=("${build[@]}")
  while [ $# -gt 0 ]; do
    case $1 in
      --tests) packages+=("${tests[@]}") ;;
      --windows) packages+=("${windows[@]}") ;;
      *) packages+=("$1") ;;
    esac
    shift
  done
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
case " ${missing[*]} " in
  *:i386\ *) dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386 ;;
esac
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
  cat "$log"
  echo "setup: apt-get could not install ${missing[*]}"
  exit 1
fi
