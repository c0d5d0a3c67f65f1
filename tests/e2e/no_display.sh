#!/usr/bin/env bash
# With no usable display the program says so in one line and exits with
# status 1 instead of aborting; the offscreen platform the tests use still
# starts it.
# Usage: no_display.sh path/to/quorvex
set -uo pipefail

binary=${1:?usage: no_display.sh path/to/quorvex}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A display number nobody serves.
free=""
for n in $(seq 170 230); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { free=$n; break; }
done
[ -n "$free" ] || fail "no free display number"

# name | environment | what the line must name
cases=(
    "nothing set|-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM|DISPLAY"
    "xcb without DISPLAY|-u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb|DISPLAY"
    "a display nobody serves|-u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:$free|:$free"
    "a platform that is not there|-u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=nowhere|nowhere"
)
for entry in "${cases[@]}"; do
    IFS='|' read -r name environment names <<<"$entry"
    # shellcheck disable=SC2086  # the environment is a list of env arguments
    timeout 20 env $environment XDG_RUNTIME_DIR="$work" "$binary" >"$work/out" 2>"$work/err"
    status=$?
    [ "$status" -eq 1 ] || fail "$name: exit status $status, not 1: $(cat "$work/err")"
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$name: not one line on stderr: $(cat "$work/err")"
    grep -q "^quorvex: .*$names" "$work/err" || fail "$name: the line does not name $names: $(cat "$work/err")"
    grep -q "xvfb-run quorvex" "$work/err" || fail "$name: the line does not say how to run it"
    [ -s "$work/out" ] && fail "$name: wrote to stdout"
    echo "$name: $(cat "$work/err")"
done

# Offscreen needs no display: the game is still running after two seconds.
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" "$binary" >/dev/null 2>"$work/err" &
pid=$!
sleep 2
kill -0 "$pid" 2>/dev/null || { wait "$pid"; fail "offscreen: ended with status $?: $(cat "$work/err")"; }
kill "$pid"
wait "$pid" 2>/dev/null
echo "offscreen: the game runs"
