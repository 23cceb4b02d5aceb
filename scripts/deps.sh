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
  # korvane.exe is a 32-bit program: Wine needs its i386 half.
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386 || return 1
    KORVANE_APT_UPDATED=
  fi
  if [ -z "${KORVANE_APT_UPDATED:-}" ]; then
    $sudo apt-get update -qq || return 1
    KORVANE_APT_UPDATED=1
  fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

korvane_need_windows() {
  korvane_need cmake make g++-mingw-w64-i686-posix binutils-mingw-w64-i686 googletest \
    wine wine64 wine32:i386 fonts-wine xvfb imagemagick
}

korvane_need_native() {
  korvane_need cmake make g++ googletest libgtest-dev
}
