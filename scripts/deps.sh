# Sourced by the scripts: installs the Debian packages the build and the tests need, when
# missing, as root or through sudo.
korvane_need() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "installing: ${missing[*]}" >&2
  local sudo=
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  if [ -z "${KORVANE_APT_UPDATED:-}" ]; then
    $sudo apt-get update -qq || return 1
    KORVANE_APT_UPDATED=1
  fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

korvane_need_windows() {
  korvane_need cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest \
    wine wine64 fonts-wine xvfb imagemagick
}

korvane_need_native() {
  korvane_need cmake make g++ googletest libgtest-dev libgmock-dev libbenchmark-dev clang \
    libclang-rt-14-dev
}
