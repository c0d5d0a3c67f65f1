#!/usr/bin/env bash
# One entry point for a fresh Debian machine: installs what is missing, builds,
# then either starts the game or runs the whole test suite.
#   bash tools/dev.sh play    build and start Quorvex
#   bash tools/dev.sh test    build with warnings as errors and run every test
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-utils imagemagick poppler-utils python3-xlib
  dbus at-spi2-core python3-pyatspi
  fonts-liberation fonts-urw-base35 fonts-dejavu-core
  qt6-svg-dev desktop-file-utils appstream lintian dpkg-dev file xclip librsvg2-bin
)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

case "${1:-}" in
  play)
    install_missing
    cmake --preset default >/dev/null
    # Only the game itself: the tests, the benchmark and the installable
    # extras wait for the test command.
    cmake --build --preset default --target quorvex
    exec ./build/default/quorvex
    ;;
  test)
    install_missing
    cmake --preset ci >/dev/null
    cmake --build --preset ci
    ctest --preset ci -j 2
    ;;
  *)
    echo "usage: bash tools/dev.sh play|test" >&2
    exit 2
    ;;
esac
