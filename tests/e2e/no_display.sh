#!/usr/bin/env bash
# With no usable display the program says so in one line and exits with
# status 1 instead of aborting or waiting for ever; the offscreen platform the
# tests use still starts it; --version, --help and --generate need no
# display at all, and a bad --code is refused before one is looked for.
# Usage: no_display.sh path/to/quorvex
set -uo pipefail

binary=${1:?usage: no_display.sh path/to/quorvex}
# The scratch folder, fail and start_xvfb.
source "$(dirname "$0")/lib/session.sh"
export XDG_CONFIG_HOME="$work/config"

# The options that only print: on standard output, status 0, no display.
for option in --version --help; do
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$binary" "$option" >"$work/out" 2>"$work/err"
    status=$?
    [ "$status" -eq 0 ] && [ ! -s "$work/err" ] || fail "$option: status $status: $(cat "$work/err")"
    echo "$option: $(head -n 1 "$work/out")"
done
grep -qx "quorvex [0-9.]*" <(env -u DISPLAY "$binary" --version) || fail "--version does not say 'quorvex' and a version"
grep -q "^Usage: .*quorvex \[options\]" "$work/out" || fail "--help shows no usage line"
# Anything unknown: one line, status 2.
for argument in --bogus stray; do
    env -u DISPLAY "$binary" "$argument" >"$work/out" 2>"$work/err"
    status=$?
    [ "$status" -eq 2 ] && [ "$(wc -l <"$work/err")" -eq 1 ] && [ ! -s "$work/out" ] &&
        grep -q "^quorvex: .* Try 'quorvex --help'\.$" "$work/err" ||
        fail "$argument: status $status, not 2, or not one line: $(cat "$work/err")"
    echo "$argument: $(cat "$work/err")"
done

# Puzzle codes need no display either: N lines of the level's kind letter.
for level in classic easy medium hard; do
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$binary" --generate 20 --level "$level" >"$work/out" 2>"$work/err"
    status=$?
    letter=$(echo "$level" | cut -c1 | tr a-z A-Z)
    [ "$status" -eq 0 ] && [ ! -s "$work/err" ] && [ "$(wc -l <"$work/out")" -eq 20 ] &&
        [ "$(grep -c "^$letter[0-9A-HJKMNP-TV-Z-]*$" "$work/out")" -eq 20 ] ||
        fail "--generate 20 --level $level: status $status: $(head -n 3 "$work/out") $(cat "$work/err")"
    echo "--generate 20 --level $level: $(head -n 1 "$work/out") ..."
done
# A bad code, count or level: one line, status 2, and no window.
for arguments in "--code C7281" "--code" "--generate 0" "--generate 3 --level expert" "--level easy"; do
    # shellcheck disable=SC2086  # the arguments are a list
    env -u DISPLAY "$binary" $arguments >"$work/out" 2>"$work/err"
    status=$?
    [ "$status" -eq 2 ] && [ "$(wc -l <"$work/err")" -eq 1 ] && [ ! -s "$work/out" ] && grep -q "^quorvex: " "$work/err" ||
        fail "$arguments: status $status, not 2, or not one line: $(cat "$work/err")"
    echo "$arguments: $(cat "$work/err")"
done
grep -q "not a Quorvex puzzle" <(env -u DISPLAY "$binary" --code C7281 2>&1) || fail "--code C7281 does not say why"

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
    "a frame buffer that is not there|-u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=linuxfb:fb=/nonexistent/fb0|linuxfb"
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

# An X server that takes the connection but never answers: a bounded wait, one line.
start_xvfb 640x480 "$free"
kill -STOP "$xvfb_pid"
timeout 30 env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$binary" >"$work/out" 2>"$work/err"
status=$?
kill -CONT "$xvfb_pid"
[ "$status" -eq 1 ] && [ "$(wc -l <"$work/err")" -eq 1 ] || fail "frozen X server: status $status: $(cat "$work/err")"
grep -q "^quorvex: the display \"$DISPLAY\" does not answer" "$work/err" || fail "frozen X server: $(cat "$work/err")"
echo "a frozen X server: $(cat "$work/err")"

# Offscreen needs no display: the game is still running after two seconds.
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" "$binary" >/dev/null 2>"$work/err" &
pid=$!
sleep 2
kill -0 "$pid" 2>/dev/null || { wait "$pid"; fail "offscreen: ended with status $?: $(cat "$work/err")"; }
kill "$pid"
wait "$pid" 2>/dev/null
echo "offscreen: the game runs"
