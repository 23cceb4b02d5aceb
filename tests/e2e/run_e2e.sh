#!/usr/bin/env bash
# Runs the end-to-end driver under Wine in the test prefix, on Xvfb when there is no display.
# run_e2e.sh DRIVER_EXE KORVANE_EXE [driver options]
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/wine-env.sh"
korvane_display
korvane_wine_prefix
wine "$@"
status=$?
[ -n "${KORVANE_XVFB:-}" ] && kill "$KORVANE_XVFB" 2>/dev/null
exit $status
