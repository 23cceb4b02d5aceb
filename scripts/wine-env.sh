# Sourced by the scripts: the private Wine prefix, and a display.
korvane_root=$(cd "$(dirname "${BASH_SOURCE:-$0}")/.." 2>/dev/null && pwd)
[ -n "$korvane_root" ] && [ -f "$korvane_root/CMakeLists.txt" ] || korvane_root=$(cd "$(dirname "$0")/.." && pwd)

: "${WINEPREFIX:=$korvane_root/build/wineprefix}"
: "${WINEDEBUG:=-all}"
: "${WINEARCH:=win64}"
export WINEPREFIX WINEDEBUG WINEARCH
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# Creates the prefix on first use and keeps one wineserver alive for the run.
korvane_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    echo "creating the Wine prefix $WINEPREFIX" >&2
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  korvane_wine_fonts
  # Fails when a server is already running, which is just as good.
  wineserver -p >/dev/null 2>&1 </dev/null || true
  # The first Wine process starts the prefix's services; started here they hold no pipe of a
  # caller (ctest waits for every holder of its output pipe).
  wine cmd.exe /c exit >/dev/null 2>&1 </dev/null
}

# Debian's Wine does not look for its own fonts (fonts-wine) where they are installed, so
# "MS Sans Serif" would fall back to a wider font: put them in the prefix's Fonts folder.
korvane_wine_fonts() {
  local from=/usr/share/wine/fonts to="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -f "$from/sserife.fon" ] && [ -d "$to" ] && [ ! -f "$to/sserife.fon" ]; then
    cp "$from"/* "$to"/
  fi
  return 0
}

# Starts Xvfb when there is no display; sets KORVANE_XVFB to its pid.
korvane_display() {
  if [ -n "${DISPLAY:-}" ]; then
    return 0
  fi
  n=91
  while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  KORVANE_XVFB=$!
  export DISPLAY=":$n"
  i=0
  while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $i -lt 50 ]; do sleep 0.1; i=$((i + 1)); done
}
