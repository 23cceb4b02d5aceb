#!/usr/bin/env bash
# Builds korvane.exe and opens its window under Wine. Without a display it runs on Xvfb,
# saves a screenshot and says where.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.."
. scripts/deps.sh
korvane_need_windows

cmake --preset windows >/dev/null
cmake --build --preset windows --target korvane

. scripts/wine-env.sh
korvane_wine_prefix
if [ -n "${DISPLAY:-}" ]; then
  exec wine build/windows/korvane.exe
fi

korvane_display
wine build/windows/korvane.exe &
app=$!
sleep 6
shot=build/korvane-screenshot.png
import -window root "$shot"
echo "no display: korvane ran on Xvfb $DISPLAY; screenshot saved to $PWD/$shot"
kill "$app" 2>/dev/null || true
wineserver -k 2>/dev/null || true
kill "$KORVANE_XVFB" 2>/dev/null || true
