#!/usr/bin/env bash
# The window opens whole on small and large screens, with and without Qt's
# scaling: 640x480, 800x600 and 1280x1024 at QT_SCALE_FACTOR 1 and 2. Each
# window must lie inside the screen, and grow no larger than the design's
# default; Ctrl+Q then ends it.
#
# Needs: xvfb, xdotool, imagemagick. QUORVEX_SHOTS names a folder for screenshots.
# Usage: screen_sizes.sh path/to/quorvex
set -uo pipefail
binary=${1:?usage: screen_sizes.sh path/to/quorvex}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/session.sh"
command -v xdotool >/dev/null || fail "xdotool is not installed"

for screen in 640x480 800x600 1280x1024; do
    for factor in 1 2; do
        start_xvfb "$screen"
        start_game "$binary" QT_SCALE_FACTOR=$factor
        window=$(timeout 30 xdotool search --sync --name "Puzzle Number" | head -n 1)
        [ -n "$window" ] || fail "$screen at $factor: no window appeared"
        sleep 0.5  # the first paint
        read -r x y < <(xdotool getwindowgeometry "$window" | awk '/Position/ {split($2, p, ","); print p[1], p[2]}')
        read -r w h < <(xdotool getwindowgeometry "$window" | awk '/Geometry/ {split($2, s, "x"); print s[1], s[2]}')
        sw=${screen%x*} sh=${screen#*x}
        echo "$screen at scale factor $factor: window ${w}x${h} at $x,$y"
        [ -n "${QUORVEX_SHOTS:-}" ] && import -window root "$QUORVEX_SHOTS/screen-$screen-x$factor.png"
        [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "$sw" ] && [ $((y + h)) -le "$sh" ] ||
            fail "$screen at $factor: the window (${w}x${h} at $x,$y) does not fit"
        # The design's default is 605 by 620 pixels and a menu bar, times the factor.
        [ "$w" -le $((605 * factor + 1)) ] || fail "$screen at $factor: ${w} wider than the default"
        xdotool windowfocus --sync "$window" key ctrl+q
        wait_for_exit 10
    done
done
echo "every window fits its screen"
