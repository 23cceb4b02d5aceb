#!/usr/bin/env bash
# Takes the README's screenshot, docs/korvane.png: korvane.exe in Wine's virtual desktop
# (which draws the title bar) on a private Xvfb, cropped to the window.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.."
. scripts/deps.sh
korvane_need_windows

cmake --preset windows >/dev/null
cmake --build --preset windows --target korvane

. scripts/wine-env.sh
app=
KORVANE_XVFB=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  wineserver -k 2>/dev/null || true  # the prefix's Wine processes end with it
  [ -n "$KORVANE_XVFB" ] && kill "$KORVANE_XVFB" 2>/dev/null
  rm -f build/screenshot-a.png build/screenshot-b.png
}
trap cleanup EXIT

# Always a private screen, so the picture does not depend on the desktop it is taken on.
unset DISPLAY
korvane_display
# A wineserver already running for the prefix is fine.
korvane_wine_prefix || true

wine explorer /desktop=korvane,800x700 build/windows/korvane.exe >/dev/null 2>&1 &
app=$!

# The window's place on the screen, from its X window's line in the tree:
#   0xa00001 "Korvanelle": ("korvane.exe" "korvane.exe")  496x452+0+0  +0+0
# (size and place in its parent, then the place on the screen).
geometry=
size=
for _ in $(seq 1 120); do
  line=$(xwininfo -root -tree 2>/dev/null | grep -m 1 '"Korvanelle": ("korvane.exe"' || true)
  if [ -n "$line" ]; then
    size=$(echo "$line" | sed -n 's/.*)  *\([0-9]*x[0-9]*\)[-+][-+0-9]*  *[-+][-+0-9]*$/\1/p')
    geometry=$(echo "$line" | sed -n 's/.*  *\([-+][0-9]*[-+][0-9]*\)$/\1/p')
  fi
  [ -n "$geometry" ] && [ -n "$size" ] && break
  sleep 0.5
done
if [ -z "$geometry" ]; then
  echo "the window did not appear" >&2
  exit 1
fi
crop="$size$geometry"

# Taken once the window has finished painting: two pictures in a row alike.
shot() { import -window root -crop "$crop" +repage "$1"; }
shot build/screenshot-a.png
settled=
for _ in $(seq 1 40); do
  sleep 0.5
  shot build/screenshot-b.png
  if [ "$(compare -metric AE build/screenshot-a.png build/screenshot-b.png null: 2>&1)" = 0 ]; then
    settled=1
    break
  fi
  mv build/screenshot-b.png build/screenshot-a.png
done
if [ -z "$settled" ]; then
  echo "the window did not stop changing" >&2
  exit 1
fi
mkdir -p docs
mv build/screenshot-b.png docs/korvane.png
echo "wrote docs/korvane.png ($crop)"
