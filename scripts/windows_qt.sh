#!/usr/bin/env bash
# Prints the folder of a Qt for 64-bit Windows (qtbase, shared, release), building it first if the
# cache lacks it. Debian has no Qt for MinGW, so it is cross-built from Debian's own source of the
# Qt this machine has (Debian 12's 6.4.2): apt fetches the source package and checks it against
# the archive's signed index, and the tarball is checked again against the .dsc.
#
# The result is kept in ${KESTRUNE_CACHE:-/var/cache/kestrune}/windows/qt-VERSION-KEY, KEY being a
# hash of the configure options and the toolchain file, so a change of either builds a new one.
# The build takes 15 to 40 minutes on two cores; nothing of it goes into the clone.
set -euo pipefail
cd "$(dirname "$0")/.."

qt_version=6.4.2
qt_options=(
  -release -shared -xplatform win32-g++ -qt-host-path /usr
  -nomake examples -nomake tests
  -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-harfbuzz -qt-freetype
  -no-opengl -no-dbus -no-feature-network -no-feature-sql -no-feature-printsupport
  -no-feature-testlib -no-feature-concurrent -no-feature-xml
  # Debian's tarball leaves out the Wintab headers that tablet events need.
  -no-feature-tabletevent
)
key=$(printf '%s\n' "$qt_version" "${qt_options[@]}" | cat - cmake/mingw-w64.cmake | sha256sum |
  cut -c1-12)

if [ -z "${KESTRUNE_CACHE:-}" ]; then
  KESTRUNE_CACHE=/var/cache/kestrune
  [ "$(id -u)" -eq 0 ] || KESTRUNE_CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/kestrune
fi
cache=$KESTRUNE_CACHE/windows
qt=$cache/qt-$qt_version-$key
if [ -f "$qt/.complete" ]; then
  echo "$qt"
  exit 0
fi

host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
case $host_version in
  "$qt_version"+*) ;;
  *)
    echo "windows: Qt for Windows is built with this machine's own Qt $qt_version tools; found" \
      "qt6-base-dev '${host_version:-none}' (Debian 12 has $qt_version)." >&2
    exit 1
    ;;
esac

work=$cache/work-$key
rm -rf "$work"
mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial"
log=$cache/qt-$qt_version-$key.log
echo "windows: building Qt $qt_version for Windows into $qt (15 to 40 minutes on two cores; log in $log)" >&2

# apt-get source checks what it downloads against the archive's signed Sources index.
echo "deb-src http://deb.debian.org/debian bookworm main" >"$work/apt/sources.list"
apt=(apt-get -qq -o Dir::Etc::SourceList="$work/apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
  -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache="$work/apt/cache"
  -o Debug::NoLocking=true)
[ "$(id -u)" -ne 0 ] || apt+=(-o APT::Sandbox::User=root)
(cd "$work" && "${apt[@]}" update && "${apt[@]}" source --download-only qt6-base) \
  >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
dsc=$(ls "$work"/qt6-base_"$qt_version"+*.dsc)
tarball=$(ls "$work"/qt6-base_"$qt_version"+*.orig.tar.xz)
expected=$(awk -v f="$(basename "$tarball")" \
  '/^Checksums-Sha256:/ { s = 1; next } /^[^ ]/ { s = 0 } s && $3 == f { print $1 }' "$dsc")
echo "$expected  $tarball" | sha256sum --check --quiet >>"$log" 2>&1 || {
  echo "windows: $tarball does not match $dsc" >&2
  exit 1
}

# Qt's toolchain file names the one it was built with: keep that beside Qt, not in a clone.
toolchain=$qt.toolchain.cmake
cp cmake/mingw-w64.cmake "$toolchain"
tar -xf "$tarball" -C "$work"
source=$(ls -d "$work"/qtbase-*/)
mkdir -p "$work/build"
{
  cd "$work/build"
  "$source/configure" -prefix "$qt" "${qt_options[@]}" -- \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain"
  cmake --build . --parallel "$(nproc)"
  rm -rf "$qt"
  cmake --install .
} >>"$log" 2>&1 || {
  tail -n 40 "$log" >&2
  echo "windows: the Qt build failed; the whole log is $log" >&2
  exit 1
}
touch "$qt/.complete"
rm -rf "$work"
echo "$qt"
