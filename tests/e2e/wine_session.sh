# A Wine prefix of the caller's own, for the Windows build. Source it, then call start_wine;
# stop_wine ends Wine's processes and removes the prefix.

start_wine() {
  WINEPREFIX=$(mktemp -d /tmp/kestrune-wine.XXXXXX)
  export WINEPREFIX WINEDEBUG=-all
  # No Mono or Gecko: Wine would offer to download them, and nothing here needs them.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  wineboot --init >/dev/null 2>&1
  wineserver --wait
}

stop_wine() {
  wineserver --kill 2>/dev/null || true
  rm -rf "${WINEPREFIX:-}"
}
