#!/usr/bin/env bash
# A whole puzzle played with the keyboard alone in the real window, until the
# game says "You got it !"; then Ctrl+Q ends it. keys_play.py reads the game's
# own solution through the accessibility bus, as a blind player would, takes
# it back with Ctrl+Z and types it.
#
# Needs: xvfb, xdotool, dbus, at-spi2-core, python3-pyatspi, imagemagick.
# QUORVEX_SHOTS names a folder for a screenshot.
# Usage: keys_play.sh path/to/quorvex
set -uo pipefail
binary=${1:?usage: keys_play.sh path/to/quorvex}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/session.sh"
private_bus "$@"

python=/usr/bin/python3
command -v xdotool >/dev/null || fail "xdotool is not installed"
"$python" -c 'import pyatspi' 2>/dev/null || fail "python3-pyatspi is not installed"

start_xvfb 1280x1024
start_game "$binary" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
window=$(timeout 30 xdotool search --sync --name "Puzzle Number" | head -n 1)
[ -n "$window" ] || fail "no window titled Puzzle Number appeared"
timeout 120 "$python" "$here/keys_play.py" "$window" || { cat "$work/app.log" >&2; fail "keyboard play failed"; }
wait_for_exit 10
echo "ended through Ctrl+Q, exit code 0"
