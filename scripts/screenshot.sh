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
# Always a private screen, so the picture does not depend on the desktop it is taken on.
unset DISPLAY
korvane_display
korvane_wine_prefix

app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  wineserver -k 2>/dev/null || true
  kill "$KORVANE_XVFB" 2>/dev/null || true
  rm -f build/screenshot-a.png build/screenshot-b.png
}
trap cleanup EXIT

wine explorer /desktop=korvane,800x700 build/windows/korvane.exe >/dev/null 2>&1 &
app=$!

# The window's place on the screen, from its X window: WxH+X+Y.
geometry=
for _ in $(seq 1 120); do
  geometry=$(xwininfo -root -tree 2>/dev/null |
    sed -n 's/.*"Korvanelle": ("korvane.exe" "korvane.exe")  *[0-9]*x[0-9]*[-+0-9]*  *\([-+0-9]*\)$/\1/p' |
    head -n 1)
  size=$(xwininfo -root -tree 2>/dev/null |
    sed -n 's/.*"Korvanelle": ("korvane.exe" "korvane.exe")  *\([0-9]*x[0-9]*\)[-+0-9]* .*/\1/p' |
    head -n 1)
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
