# Shared by the end-to-end scripts that need an X server, a session bus and
# the accessibility bus of their own. Source it, then call:
#   private_bus "$@"         re-runs the calling script inside dbus-run-session
#   start_xvfb WxH [first]   starts Xvfb on the first free display from `first`
#   start_game BINARY [ENV=VALUE...]   starts the game; its pid in $app_pid
#   game_window               waits for the game's main window; prints its id
#   wait_for_exit SECONDS     waits for the game to end; fails unless it exits 0
# Everything started is ended on exit; $work is a scratch folder.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

private_bus() {
    if [ -z "${QUORVEX_PRIVATE_BUS:-}" ]; then
        command -v dbus-run-session >/dev/null || fail "dbus-run-session is not installed"
        exec env QUORVEX_PRIVATE_BUS=1 dbus-run-session -- bash "$0" "$@"
    fi
}

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

start_xvfb() {
    local size=$1 first=${2:-161} n
    command -v Xvfb >/dev/null || fail "Xvfb is not installed"
    [ -n "$xvfb_pid" ] && { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; xvfb_pid=""; }
    for n in $(seq "$first" $((first + 60))); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 50); do
            kill -0 "$xvfb_pid" 2>/dev/null || break
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        if kill -0 "$xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
            export DISPLAY=":$n"
            return 0
        fi
        # Another run took the same number at the same moment: try the next.
        kill "$xvfb_pid" 2>/dev/null
        xvfb_pid=""
    done
    fail "could not start Xvfb"
}

start_game() {
    local binary=$1
    shift
    [ -x "$binary" ] || fail "no program at $binary"
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    # Under a sanitizer build: the session bus library keeps one buffer to the end.
    echo "leak:libdbus-1.so" >"$work/lsan.supp"
    export LSAN_OPTIONS="suppressions=$work/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
    env QT_QPA_PLATFORM=xcb "$@" "$binary" >"$work/app.log" 2>&1 &
    app_pid=$!
}

game_window() {
    local window
    window=$(timeout 30 xdotool search --sync --pid "$app_pid" --name "Puzzle Number" | head -n 1)
    [ -n "$window" ] || { cat "$work/app.log" >&2; fail "no game window appeared"; }
    echo "$window"
}

wait_for_exit() {
    local status
    for _ in $(seq $(($1 * 10))); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && fail "still running $1 s after being told to end"
    wait "$app_pid"
    status=$?
    app_pid=""
    [ "$status" -eq 0 ] || { cat "$work/app.log" >&2; fail "exit code $status"; }
}
