#!/usr/bin/env bash
# Usage: windows_qt.sh [x64|x86]   (x64 by default)
# Prints the folder of a Qt 5.15 for Windows (qtbase, shared, release) for that architecture,
# building it first if the cache lacks it. Qt 5.15 is the last Qt that runs on Windows 7 SP1 and
# on 32-bit Windows. Debian has no Qt for MinGW, so it is cross-built from Debian 13's own source
# package of Qt 5.15 with Debian's patch series applied: apt fetches the newest one, security
# updates included, and checks it against the archive's signed index; dpkg-source checks every
# file against the .dsc and applies the patches. A new Debian revision makes a new cache key, so
# the next build after a Debian security update of Qt picks it up.
#
# The result is kept in ${KESTRUNE_CACHE:-/var/cache/kestrune}/windows/qt-VERSION-ARCH-KEY, KEY
# being a hash of the configure options and the compiler. The build takes 25 to 40 minutes per
# architecture on two cores; nothing of it goes into the clone. Without the network, the newest
# build already in the cache is used.
set -euo pipefail
cd "$(dirname "$0")/.."

arch=${1:-x64}
case $arch in
  x64) triplet=x86_64-w64-mingw32 ;;
  x86) triplet=i686-w64-mingw32 ;;
  *) echo "usage: $0 [x64|x86]" >&2; exit 2 ;;
esac

# Only the parts Kestrune ships: Core, Gui, Widgets, the Windows platform and style plugins.
qt_options=(
  -opensource -confirm-license -release -shared -xplatform win32-g++
  -nomake examples -nomake tests
  -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-harfbuzz -qt-freetype
  -no-opengl -no-dbus -no-feature-network -no-feature-sql -no-feature-printer
  -no-feature-testlib -no-feature-concurrent -no-feature-xml -no-feature-imageformatplugin
  # Debian's source leaves out the Wintab headers that tablet events need.
  -no-feature-tabletevent
)

if [ -z "${KESTRUNE_CACHE:-}" ]; then
  KESTRUNE_CACHE=/var/cache/kestrune
  [ "$(id -u)" -eq 0 ] || KESTRUNE_CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/kestrune
fi
cache=$KESTRUNE_CACHE/windows
mkdir -p "$cache"
sources=$cache/debian-sources
mkdir -p "$sources/lists/partial" "$sources/archives/partial"

# apt-get source checks what it downloads against the archive's signed Sources index.
cat >"$sources/sources.list" <<'EOF'
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian trixie main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian-security trixie-security main
EOF
apt=(apt-get -qq -o Dir::Etc::SourceList="$sources/sources.list" -o Dir::Etc::SourceParts=/dev/null
  -o Dir::State::Lists="$sources/lists" -o Dir::Cache="$sources" -o Debug::NoLocking=true)
[ "$(id -u)" -ne 0 ] || apt+=(-o APT::Sandbox::User=root)

if "${apt[@]}" update >"$sources/update.log" 2>&1; then
  debian_version=$("${apt[@]}" source --print-uris qtbase-opensource-src 2>/dev/null |
    sed -n "s/.*qtbase-opensource-src_\([^ ']*\)\.dsc.*/\1/p" | head -n 1)
else
  debian_version=""
fi
if [ -z "$debian_version" ]; then
  newest=$(ls -d "$cache"/qt-5.15.*-"$arch"-*/.complete 2>/dev/null | sort -V | tail -n 1)
  if [ -n "$newest" ]; then
    echo "windows: Debian's archive is out of reach; using $(dirname "$newest")" >&2
    dirname "$newest"
    exit 0
  fi
  cat "$sources/update.log" >&2
  echo "windows: could not find qtbase-opensource-src in Debian 13's archive" >&2
  exit 1
fi

compiler=$("$triplet-g++-posix" --version | head -n 1)
key=$(printf '%s\n' "$debian_version" "$arch" "$compiler" "${qt_options[@]}" | sha256sum | cut -c1-12)
qt=$cache/qt-$debian_version-$arch-$key
if [ -f "$qt/.complete" ]; then
  echo "$qt"
  exit 0
fi

work=$cache/work-$arch-$key
rm -rf "$work"
mkdir -p "$work"
log=$cache/qt-$debian_version-$arch-$key.log
echo "windows: building Qt $debian_version for Windows $arch into $qt" \
  "(25 to 40 minutes on two cores; log in $log)" >&2

(cd "$work" && "${apt[@]}" source --download-only "qtbase-opensource-src=$debian_version") \
  >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
# Unpacking checks each file against the .dsc and applies Debian's whole patch series; the log
# lists every patch applied.
(cd "$work" && dpkg-source --no-copy -x qtbase-opensource-src_*.dsc source) >>"$log" 2>&1 || {
  cat "$log" >&2
  exit 1
}
grep -c '^dpkg-source: info: applying' "$log" | sed 's/^/windows: Debian patches applied: /' >&2

# Qt's win32-g++ build files call the compiler CROSS_COMPILE + g++; these are the -posix ones, whose
# C++ library has std::thread and std::mutex.
tools=$work/tools
mkdir -p "$tools"
for tool in gcc g++; do ln -s "$(command -v "$triplet-$tool-posix")" "$tools/$triplet-$tool"; done
for tool in ar ranlib nm objcopy objdump strip windres; do
  ln -s "$(command -v "$triplet-$tool")" "$tools/$triplet-$tool"
done

mkdir -p "$work/build"
cd "$work/build"
{
  "$work/source/configure" -prefix "$qt" "${qt_options[@]}" \
    -device-option CROSS_COMPILE="$tools/$triplet-" &&
    make -j"$(nproc)" && rm -rf "$qt" && make install
} >>"$log" 2>&1 || {
  tail -n 40 "$log" >&2
  echo "windows: the Qt build failed; the whole log is $log" >&2
  exit 1
}
cp "$work/source/debian/copyright" "$qt/debian-copyright"
cp "$work/source/debian/patches/series" "$qt/debian-patches-series"
touch "$qt/.complete"
rm -rf "$work"
echo "$qt"
