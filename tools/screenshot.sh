#!/usr/bin/env bash
# Makes the screenshot of the real window shown in the README and the
# AppStream metainfo: the game in its own Xvfb, a few clicks into a puzzle,
# the window captured and stored as a small palette PNG.
#   bash tools/screenshot.sh [path/to/quorvex] [out.png]
# Needs: xvfb, xdotool, imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."

binary=${1:-build/default/quorvex}
out=${2:-data/screenshot.png}
[ -x "$binary" ] || { echo "no program at $binary (build it first: bash tools/dev.sh play)" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid="" app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

for n in $(seq 97 160); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
        DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1 && break
        sleep 0.1
    done
    if DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
        export DISPLAY=":$n"
        break
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
done
[ -n "$xvfb_pid" ] || { echo "could not start Xvfb" >&2; exit 1; }

export XDG_RUNTIME_DIR="$work/runtime"
# A first run's statistics, not the player's own.
export XDG_CONFIG_HOME="$work/config"
mkdir -m 700 "$XDG_RUNTIME_DIR"
QT_QPA_PLATFORM=xcb "$binary" >"$work/app.log" 2>&1 &
app_pid=$!
window=$(timeout 30 xdotool search --sync --pid "$app_pid" --name "Puzzle Number" | head -n 1)
read -r width height < <(xdotool getwindowgeometry "$window" | awk '/Geometry/ {split($2, s, "x"); print s[1], s[2]}')

# The window sits at 0,0 without a window manager and shows the board at
# twice its design size (620 pixels high) between the menu bar and the status
# line, which are about as high as each other; cells are 450 twips, 15 a
# pixel, so an aim a few pixels off still lands inside the cell.
menu=$(((height - 620) / 2))
columns=(630 1080 1530 1980 2400 2850 3300)
rows=(780 1230 1650 2100 2550 3000 3420)
click() {  # row column [times]
    local x=$(((columns[$2] + 225) * 2 / 15)) y=$((menu + (rows[$1] + 225) * 2 / 15))
    for _ in $(seq "${3:-1}"); do
        xdotool mousemove --window "$window" "$x" "$y" click 1
        sleep 0.05
    done
}
# Part of a board: the first row and column filled in, a start on the middle.
click 0 2 3; click 0 1 1; click 0 3 2; click 0 4 2
click 2 0 4; click 1 0 1; click 3 0 3; click 4 0 1
click 2 2 5; click 2 1 2
sleep 0.5

import -window "$window" "$work/shot.png"
convert "$work/shot.png" -strip -colors 64 "PNG8:$out"
echo "wrote $out (${width}x$height, $(stat -c %s "$out") bytes)"
