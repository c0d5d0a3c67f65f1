#!/usr/bin/env bash
# `cmake --install` into a scratch prefix gives a complete desktop game: the
# tree validates, the installed program starts in a real X server with the
# installed icon as its window icon, Help shows the installed pages rather
# than the copy compiled into the program, and Print finds its library.
# Usage: installed.sh path/to/quorvex   (QUORVEX_BUILD_DIR names its build)
set -uo pipefail
. "$(dirname "$0")/lib/session.bash"

build=${QUORVEX_BUILD_DIR:?QUORVEX_BUILD_DIR must name the build folder}
need_tools cmake Xvfb xdotool xprop xclip convert compare identify rsvg-convert desktop-file-validate appstreamcli
"$python" -c 'import Xlib' 2>/dev/null || fail "python3-xlib is not installed"

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; fail "cmake --install failed"; }
check_installed_tree "$prefix" bin
appstreamcli validate-tree --no-net "$prefix" || fail "the installed tree does not validate"
mark_installed_help "$prefix"

start_xvfb 1366x768
mkdir -p "$work/home"
start_game "$prefix/bin/quorvex" HOME="$work/home"
window=$(game_window)
for size in 16 32 48; do
    window_icon_matches "$window" "$prefix/share/icons/hicolor/${size}x$size/apps/$APP_ID.png" "$size" ||
        fail "the window icon is not the installed ${size}x$size icon"
done
echo "the window icon is the installed icon"
# On X11 a desktop ties the window to its menu entry through the window class.
class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
wmclass=$(sed -n 's/^StartupWMClass=//p' "$prefix/share/applications/$APP_ID.desktop")
[ -n "$class" ] && [ "$class" = "$wmclass" ] || fail "window class '$class' is not the entry's '$wmclass'"

text=$(shown_help_text "$window")
grep -q "Installed copy of the help" <<<"$text" || fail "Help did not show the installed pages: ${text:0:200}"
grep -q "Quorvex Help" <<<"$text" || fail "Help shows something else: ${text:0:200}"
echo "Help shows the installed pages"

# Printing is a library of its own, loaded when the player prints: it must be
# installed where the program finds it.
page_saved_as_pdf "$window" "$work/home"
