#!/usr/bin/env bash
# The game through a screen reader's eyes: the real binary in its own X
# server and its own session bus, read and played through AT-SPI by
# screen_reader.py (pyatspi). Prints the first row as a screen reader sees it.
#
# Needs: xvfb, xdotool, dbus (dbus-run-session), at-spi2-core and python3-pyatspi.
# Usage: screen_reader.sh path/to/quorvex
set -uo pipefail
binary=${1:?usage: screen_reader.sh path/to/quorvex}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/session.sh"
private_bus "$@"

python=/usr/bin/python3
"$python" -c 'import pyatspi' 2>/dev/null || fail "python3-pyatspi is not installed"
command -v xdotool >/dev/null || fail "xdotool is not installed"

start_xvfb 1280x1024
# Qt speaks AT-SPI only when asked; a desktop asks through its settings, this test directly.
# The reader listens first: Qt learns at start-up which events to send.
export QUORVEX_READY_FILE="$work/listening"
timeout 120 "$python" "$here/screen_reader.py" &
reader_pid=$!
for _ in $(seq 100); do
    [ -e "$QUORVEX_READY_FILE" ] && break
    kill -0 "$reader_pid" 2>/dev/null || break
    sleep 0.1
done
[ -e "$QUORVEX_READY_FILE" ] || fail "the screen reader script did not start listening"
start_game "$binary" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
wait "$reader_pid" || { cat "$work/app.log" >&2; fail "screen reader script failed"; }
wait_for_exit 10
echo "ended through Exit, exit code 0"
