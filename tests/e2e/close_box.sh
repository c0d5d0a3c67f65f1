#!/usr/bin/env bash
# The real program in a real X server: it opens titled with its first puzzle,
# a click on a number cell reveals the target numbers, the file-size limit's
# signal does not end it, and the window's close box ends the program with
# exit code 0.
#
# Needs: xvfb, xdotool, imagemagick (import, convert) and python3-xlib. Bare
# Xvfb has no window manager, so the close box is played by sending the
# window WM_DELETE_WINDOW, which is what a window manager sends.
# Usage: close_box.sh path/to/quorvex
set -uo pipefail

binary=${1:?usage: close_box.sh path/to/quorvex}
python=/usr/bin/python3

# The scratch folder, fail, start_xvfb, start_game and game_window.
source "$(dirname "$0")/lib/session.sh"

for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done
"$python" -c 'import Xlib' 2>/dev/null || fail "python3-xlib is not installed"

start_xvfb 1366x768
start_game "$binary"
window=$(game_window)
title=$(xdotool getwindowname "$window")
[ "$title" = "Puzzle Number  1" ] || fail "title is '$title'"
echo "window $window titled '$title'"

# Pixel colour at x,y of the screen, as "r,g,b".
pixel() {
    import -window root -crop "1x1+$1+$2" "$work/px.png" &&
        convert "$work/px.png" -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' info:
}

# With no window manager the window sits at 0,0; the board is centred below
# the menu bar at twice its design size. Number cell 3 is at twips 1530,780
# and the top-right target cell at 3750,360, each 450 across (15 twips a
# pixel); its face is looked at beside the digit it shows.
read -r width height < <(xdotool getwindowgeometry "$window" | awk '/Geometry/ {split($2, s, "x"); print s[1], s[2]}')
menu=$((height - 620))
target_x=$(((3750 + 75) * 2 / 15))
target_y=$((menu + (360 + 225) * 2 / 15))
before=$(pixel "$target_x" "$target_y")
xdotool mousemove --window "$window" $(((1530 + 225) * 2 / 15)) $((menu + (780 + 225) * 2 / 15)) click 1
after=""
for _ in $(seq 30); do
    after=$(pixel "$target_x" "$target_y")
    [ "$after" = "0,128,0" ] && break
    sleep 0.1
done
import -window root -crop "${width}x${height}+0+0" "$work/after-click.png"
[ -n "${QUORVEX_SHOTS:-}" ] && cp "$work/after-click.png" "$QUORVEX_SHOTS/"
[ "$after" = "0,128,0" ] || fail "target cell not shown after a click (was $before, now $after)"
echo "click on a number cell showed the target numbers"

# Past the file-size limit a save must fail with a message, not kill the game.
kill -XFSZ "$app_pid"
sleep 0.5
kill -0 "$app_pid" 2>/dev/null || fail "ended by SIGXFSZ"
echo "SIGXFSZ left the game running"

"$python" - "$window" <<'EOF' || fail "could not send WM_DELETE_WINDOW"
import sys
from Xlib import X, display, protocol

d = display.Display()
window = d.create_resource_object("window", int(sys.argv[1]))
protocols = d.intern_atom("WM_PROTOCOLS")
delete = d.intern_atom("WM_DELETE_WINDOW")
if delete not in (window.get_wm_protocols() or []):
    sys.exit("the window does not offer WM_DELETE_WINDOW")
event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                     data=(32, [delete, X.CurrentTime, 0, 0, 0]))
window.send_event(event, event_mask=X.NoEventMask)
d.sync()  # a round trip: the server has taken the event before we go
d.close()
EOF

wait_for_exit 10
echo "closed through the close box, exit code 0"
