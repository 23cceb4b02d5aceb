#!/usr/bin/env bash
# Runs the end-to-end driver under Wine in the test prefix, always on a private Xvfb: the
# driver reads the screen, so no other window may lie over the program's.
# run_e2e.sh DRIVER_EXE KORVANE_EXE [driver options]
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/wine-env.sh"
# The tests change the prefix's registry while they run: never the user's own.
if [ "$(realpath -m "$WINEPREFIX")" = "$(realpath -m "$HOME/.wine")" ]; then
  echo "run_e2e.sh: refusing to run in ~/.wine; use the test prefix build/wineprefix" >&2
  exit 2
fi
unset DISPLAY
korvane_display
korvane_wine_prefix
wine "$@"
status=$?
[ -n "${KORVANE_XVFB:-}" ] && kill "$KORVANE_XVFB" 2>/dev/null
exit $status
