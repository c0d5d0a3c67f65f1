#!/usr/bin/env bash
# One entry point for a fresh Debian machine: installs what is missing, builds,
# then either starts the game or runs the whole test suite.
#   bash tools/dev.sh play    build and start Quorvex
#   bash tools/dev.sh test    build with warnings as errors and run every test
set -euo pipefail
cd "$(dirname "$0")/.."

# What building and running the game needs; the test suite needs the rest.
game_packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core
)
test_packages=(
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-utils imagemagick poppler-utils python3-xlib
  dbus at-spi2-core python3-pyatspi
  fonts-liberation fonts-urw-base35
  qt6-svg-dev desktop-file-utils appstream lintian dpkg-dev file xclip librsvg2-bin
)

install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Ninja would run more jobs than there are cores, which only swaps under load.
jobs=$(nproc)

case "${1:-}" in
  play)
    install_missing "${game_packages[@]}"
    cmake --preset play >/dev/null
    # Only the game itself: the tests, the benchmark and the installable
    # extras wait for the test command.
    cmake --build --preset play -j "$jobs"
    exec ./build/play/quorvex
    ;;
  test)
    install_missing "${game_packages[@]}" "${test_packages[@]}"
    cmake --preset ci >/dev/null
    cmake --build --preset ci -j "$jobs"
    ctest --preset ci -j "$jobs"
    ;;
  *)
    echo "usage: bash tools/dev.sh play|test" >&2
    exit 2
    ;;
esac
