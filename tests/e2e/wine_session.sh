# A Wine prefix of the caller's own, for the Windows build. Source it, then call
# start_wine [x64|x86] [win7|win10] [PREFIX]: a 64-bit Windows, or a 32-bit one for x86, that says
# it is Windows 10, or the version given; in PREFIX if make_wine_prefix has made it already, or else
# in one made now. stop_wine ends Wine's processes and removes the prefix.

# Usage: wine_environment ARCH PREFIX
wine_environment() {
  WINEPREFIX=$2
  WINEARCH=win64
  [ "$1" = x64 ] || WINEARCH=win32
  export WINEPREFIX WINEARCH WINEDEBUG=-all
  # No Mono or Gecko: Wine would offer to download them, and nothing here needs them.
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

# Makes the empty folder PREFIX a Wine prefix of ARCH saying it is VERSION. It runs in a subshell
# of its own, so that several can be made at once.
# Usage: make_wine_prefix PREFIX ARCH VERSION
make_wine_prefix() (
  wine_environment "$2" "$1"
  local version=$3
  wineboot --init >/dev/null 2>&1
  wineserver --wait
  wine reg add 'HKCU\Software\Wine' /v Version /d "$version" /f >/dev/null 2>&1
  wineserver --wait
  # Windows 7 SP1 is 6.1.7601.
  local says expected=10.0.
  [ "$version" = win10 ] || expected=6.1.7601
  says=$(wine cmd /c ver 2>/dev/null | grep -o '[0-9][0-9.]*' || true)
  case $says in
    "$expected"*) ;;
    *) echo "Wine says it is Windows '$says', not $expected" >&2; exit 1 ;;
  esac
  # Until its server ends, Wine keeps the desktop that cmd opened without a display, and a
  # program started then would draw its windows on that desktop, where no one sees them.
  wineserver --wait
  # Windows has Tahoma in its Fonts folder, and its dialog font, "MS Shell Dlg 2", is Tahoma.
  # Debian's Wine 8 leaves the prefix's Fonts folder empty and does not look for its own fonts
  # (fonts-wine) elsewhere, so that without them the dialog font falls back to a font of this
  # machine's, and Qt's default GDI font engine then draws no typed text in the fields at all.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
)

start_wine() {
  local arch=${1:-x64} version=${2:-win10} prefix=${3:-}
  if [ -z "$prefix" ]; then
    prefix=$(mktemp -d /tmp/kestrune-wine.XXXXXX)
    make_wine_prefix "$prefix" "$arch" "$version" || { rm -rf "$prefix"; return 1; }
  fi
  wine_environment "$arch" "$prefix"
}

stop_wine() {
  wineserver --kill 2>/dev/null || true
  rm -rf "${WINEPREFIX:-}"
}
