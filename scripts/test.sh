#!/usr/bin/env bash
# Runs every test: the native unit tests under ASan and UBSan, then the 32-bit Windows build
# under Wine and Xvfb: the registry and the controls for real, and korvane.exe end to end.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.."
. scripts/deps.sh
korvane_need_native || exit 1
korvane_need_windows || exit 1

failed=()
step() {
  local name=$1
  shift
  echo "== $name"
  local start=$SECONDS
  if "$@"; then
    echo "== $name: passed ($((SECONDS - start)) s)"
  else
    echo "== $name: FAILED ($((SECONDS - start)) s)"
    failed+=("$name")
  fi
}

preset() {
  cmake --preset "$1" >/dev/null && cmake --build --preset "$1" && ctest --preset "$1"
}

step "native unit tests under ASan and UBSan" preset native

. scripts/wine-env.sh
korvane_display
korvane_wine_prefix
step "Windows tests and end to end under Wine" preset windows
wineserver -k 2>/dev/null || true
[ -n "${KORVANE_XVFB:-}" ] && kill "$KORVANE_XVFB" 2>/dev/null

if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "all tests passed ($SECONDS s)"
