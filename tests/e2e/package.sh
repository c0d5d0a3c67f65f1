#!/usr/bin/env bash
# The Debian package, unpacked into a scratch folder: its control names the
# run-time libraries, the files lie where a desktop looks for them, and the
# unpacked program starts in a real X server, opens its Help on the packaged
# pages and prints through the packaged print library.
# Usage: package.sh path/to/quorvex   (QUORVEX_PACKAGE_DIR holds the .deb)
set -uo pipefail
. "$(dirname "$0")/lib/session.bash"

dir=${QUORVEX_PACKAGE_DIR:?QUORVEX_PACKAGE_DIR must name the folder of the .deb}
need_tools dpkg-deb Xvfb xdotool xclip convert compare identify rsvg-convert desktop-file-validate
shopt -s nullglob
debs=("$dir"/quorvex_*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one quorvex .deb in $dir, found ${#debs[@]}"
deb=${debs[0]}

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libqt6printsupport6 libstdc++6 libc6 qt6-qpa-plugins; do
    grep -q "\b$lib\b" <<<"$depends" || fail "the package does not depend on $lib"
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package is not in section games"

root="$work/root"
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x failed"
check_installed_tree "$root/usr" games
mark_installed_help "$root/usr"

start_xvfb 1366x768
mkdir -p "$work/home"
start_game "$root/usr/games/quorvex" HOME="$work/home"
window=$(game_window)
text=$(shown_help_text "$window")
grep -q "Installed copy of the help" <<<"$text" || fail "Help did not show the packaged pages: ${text:0:200}"
echo "the unpacked program opens Help on the packaged pages"

# Printing is a library of its own, loaded when the player prints: it must be
# installed where the program finds it.
page_saved_as_pdf "$window" "$work/home"
