# A Wine prefix of the caller's own, for the Windows build. Source it, then call start_wine;
# stop_wine ends Wine's processes and removes the prefix.

start_wine() {
  WINEPREFIX=$(mktemp -d /tmp/kestrune-wine.XXXXXX)
  export WINEPREFIX WINEDEBUG=-all
  # No Mono or Gecko: Wine would offer to download them, and nothing here needs them.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  wineboot --init >/dev/null 2>&1
  wineserver --wait
  # Windows has Tahoma in its Fonts folder, and its dialog font, "MS Shell Dlg 2", is Tahoma.
  # Debian's Wine 8 leaves the prefix's Fonts folder empty and does not look for its own fonts
  # (fonts-wine) elsewhere, so that without them the dialog font falls back to a font of this
  # machine's, and Qt's default GDI font engine then draws no typed text in the fields at all.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
}

stop_wine() {
  wineserver --kill 2>/dev/null || true
  rm -rf "${WINEPREFIX:-}"
}
