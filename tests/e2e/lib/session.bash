# Shared by the end-to-end scripts that run an installed Quorvex, on top of
# session.sh: the game driven with xdotool, and the checks of an installed
# tree that a desktop relies on.
# Needs: xvfb, xdotool, x11-utils, xclip, imagemagick, librsvg2-bin, python3-xlib,
# desktop-file-utils.

APP_ID=org.quorvex.quorvex
ICON_SIZES="16 22 24 32 48 64 128 256"
python=/usr/bin/python3

# The scratch folder, cleanup, fail, start_xvfb, start_game and game_window.
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
# What the game remembers between runs stays in the scratch folder.
export XDG_CONFIG_HOME="$work/config"

need_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is not installed"
    done
}

# Opens Help with its key and prints the text the help window shows, as the
# player would copy it out of the window.
shown_help_text() {
    local window=$1 help
    # Bare Xvfb has no window manager: a click gives the window the focus.
    xdotool mousemove --window "$window" 300 5 click 1
    sleep 0.3
    xdotool key F1
    # --all: by default a window of the game matching either condition would do.
    help=$(timeout 15 xdotool search --sync --all --pid "$app_pid" --name "Quorvex Help" | head -n 1)
    [ -n "$help" ] || fail "Help opened no window"
    xdotool mousemove --window "$help" 200 200 click 1
    sleep 0.3
    xdotool key ctrl+a ctrl+c
    local text=""
    for _ in $(seq 20); do
        text=$(timeout 5 xclip -o -selection clipboard 2>/dev/null) && [ -n "$text" ] && break
        sleep 0.2
    done
    printf '%s\n' "$text"
}

# The window's own icon, as the desktop reads it from _NET_WM_ICON, against
# an installed PNG of the same size: the same pixels. The game sets it just
# after its first frame, so it is waited for.
window_icon_matches() {
    local window=$1 png=$2 size=$3
    "$python" - "$window" "$png" "$size" <<'EOF'
import subprocess, sys, time
from Xlib import Xatom, display

window, png, size = int(sys.argv[1]), sys.argv[2], int(sys.argv[3])
d = display.Display()
for _ in range(100):
    prop = d.create_resource_object("window", window).get_full_property(
        d.intern_atom("_NET_WM_ICON"), Xatom.CARDINAL)
    if prop is not None:
        break
    time.sleep(0.1)
else:
    sys.exit("the window has no icon after 10 s")
values, icons, i = list(prop.value), {}, 0
while i + 2 <= len(values):
    w, h = values[i], values[i + 1]
    icons[(w, h)] = values[i + 2:i + 2 + w * h]
    i += 2 + w * h
if (size, size) not in icons:
    sys.exit(f"the window offers no {size}x{size} icon, only {sorted(icons)}")
rgba = subprocess.run(["convert", png, "-depth", "8", "rgba:-"], capture_output=True, check=True).stdout
if len(rgba) != 4 * size * size:
    sys.exit(f"{png} is not {size}x{size}")
for k, argb in enumerate(icons[(size, size)]):
    window_px = ((argb >> 16) & 255, (argb >> 8) & 255, argb & 255, argb >> 24)
    file_px = tuple(rgba[4 * k:4 * k + 4])
    if window_px[3] == 0 and file_px[3] == 0:
        continue
    # Premultiplied and straight alpha may round apart by one step.
    if max(abs(a - b) for a, b in zip(window_px, file_px)) > 1:
        sys.exit(f"pixel {k % size},{k // size}: window {window_px}, file {file_px}")
EOF
}

# Where a desktop looks for the game under an installed prefix (usr/ of a
# package, or a cmake --install prefix), and whether the pieces agree.
check_installed_tree() {
    local prefix=$1 bindir=$2
    local desktop="$prefix/share/applications/$APP_ID.desktop"
    local metainfo="$prefix/share/metainfo/$APP_ID.metainfo.xml"
    [ -x "$prefix/$bindir/quorvex" ] || fail "no program at $bindir/quorvex"
    [ -f "$desktop" ] || fail "no desktop entry at share/applications/$APP_ID.desktop"
    [ -f "$metainfo" ] || fail "no metainfo at share/metainfo/$APP_ID.metainfo.xml"
    [ -f "$prefix/share/quorvex/help/plexaro.html" ] || fail "no help pages in share/quorvex/help"
    [ -f "$prefix/share/man/man6/quorvex.6.gz" ] || fail "no man page in section 6"
    [ -f "$prefix/share/doc/quorvex/copyright" ] || fail "no copyright file"
    desktop-file-validate "$desktop" || fail "desktop entry does not validate"
    grep -qx "Icon=$APP_ID" "$desktop" || fail "desktop entry does not name the icon $APP_ID"
    grep -qx "Exec=quorvex" "$desktop" || fail "desktop entry does not start quorvex"
    grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$metainfo" ||
        fail "metainfo does not launch $APP_ID.desktop"
    local size png
    for size in $ICON_SIZES; do
        png="$prefix/share/icons/hicolor/${size}x$size/apps/$APP_ID.png"
        [ "$(identify -format '%wx%h' "$png" 2>/dev/null)" = "${size}x$size" ] ||
            fail "no ${size}x$size icon at ${png#"$prefix"/}"
    done
    # The scalable icon is the same picture as the drawn ones.
    local svg="$prefix/share/icons/hicolor/scalable/apps/$APP_ID.svg"
    [ -f "$svg" ] || fail "no scalable icon"
    rsvg-convert -w 256 -h 256 "$svg" -o "$work/svg256.png" || fail "the scalable icon does not render"
    local diff
    diff=$(compare -metric RMSE "$work/svg256.png" "$prefix/share/icons/hicolor/256x256/apps/$APP_ID.png" null: 2>&1 |
        sed 's/.*(\(.*\))/\1/')
    awk -v d="$diff" 'BEGIN { exit !(d < 0.02) }' || fail "the scalable icon differs from the 256 px one (RMSE $diff)"
    echo "installed tree under $prefix is complete"
}

# Marks the installed help so that the copy compiled into the program cannot
# pass for it.
mark_installed_help() {
    local page="$1/share/quorvex/help/plexaro.html"
    sed -i 's|<h1>\(.*\)</h1>|<h1>\1</h1><p>Installed copy of the help</p>|' "$page"
    grep -q "Installed copy of the help" "$page" || fail "could not mark $page"
}

# Puzzle > Print (Ctrl+P) as a player does it with no printer installed: Yes
# to the puzzles, Yes to a PDF instead, Save under the name the file dialog
# offers, OK to the notice. The page must then be in the game's home ($2: the
# HOME the game was started with, which has no Documents folder).
page_saved_as_pdf() {
    local window=$1 pdf="$2/Quorvex puzzles.pdf" step
    xdotool mousemove --window "$window" 300 5 click 1
    sleep 0.3
    xdotool key ctrl+p
    for step in "the puzzles to print" "a PDF instead" "Save the page as PDF"; do
        local name="^Quorvex$"
        [ "$step" = "Save the page as PDF" ] && name="^$step$"
        timeout 15 xdotool search --sync --onlyvisible --all --pid "$app_pid" --name "$name" >/dev/null ||
            fail "printing asked nothing about $step"
        sleep 0.3
        xdotool key Return
        sleep 0.5
    done
    for _ in $(seq 50); do
        [ -s "$pdf" ] && break
        sleep 0.2
    done
    [ "$(head -c 5 "$pdf" 2>/dev/null)" = "%PDF-" ] || { cat "$work/app.log" >&2; fail "no PDF page at $pdf"; }
    timeout 15 xdotool search --sync --onlyvisible --all --pid "$app_pid" --name "^Quorvex$" >/dev/null ||
        fail "saving the page told the player nothing"
    xdotool key Return
    echo "Print saved the page as a PDF file"
}
