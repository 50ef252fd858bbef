# SPDX-License-Identifier: GPL-3.0-or-later
# A headless X session for the tests that drive the real program: Xvfb on a
# free display with openbox as the window manager. Sourced; the caller
# defines fail() and pids+=() collects the processes to end on exit.

pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
}
trap cleanup EXIT

# start_x_session [WIDTHxHEIGHT]: the screen's size, 1024x768 unless given.
start_x_session() {
    local size=${1:-1024x768}
    unset WAYLAND_DISPLAY
    export QT_QPA_PLATFORM=xcb

    # Xvfb picks a free display itself and writes its number: sessions
    # started at the same time never race for one.
    local log number
    log=$(mktemp)
    number=$(mktemp)
    # -noreset: by default the server resets when its last client leaves,
    # and a client connecting meanwhile (openbox, right after the check
    # below) is turned away.
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$number" >"$log" 2>&1 &
    pids+=($!)
    for _ in $(seq 300); do [ -s "$number" ] && break; sleep 0.1; done
    [ -s "$number" ] || { cat "$log" >&2; fail "Xvfb did not start"; }
    export DISPLAY=":$(head -n 1 "$number")"
    rm -f "$number"
    for _ in $(seq 300); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    xdpyinfo >/dev/null 2>&1 || { cat "$log" >&2; fail "Xvfb did not start"; }

    # openbox, given up to 30 seconds on a loaded machine, and started again
    # once should it have quit.
    local attempt openbox_pid
    for attempt in 1 2; do
        openbox >"$log" 2>&1 &
        openbox_pid=$!
        pids+=($openbox_pid)
        for _ in $(seq 300); do
            wmctrl -m >/dev/null 2>&1 && break
            kill -0 "$openbox_pid" 2>/dev/null || break
            sleep 0.1
        done
        wmctrl -m >/dev/null 2>&1 && break
    done
    wmctrl -m >/dev/null 2>&1 || { cat "$log" >&2; fail "openbox did not start"; }
    rm -f "$log"
}

# The visible window of this size ("535x338") of process $2, once there is one; prints its id.
window_sized() {
    local id
    for _ in $(seq 100); do
        for id in $(xdotool search --onlyvisible --pid "$2" 2>/dev/null); do
            xdotool getwindowgeometry "$id" 2>/dev/null | grep -q "Geometry: $1\$" && { echo "$id"; return 0; }
        done
        sleep 0.1
    done
    return 1
}

# The visible window titled exactly $1, once there is one; prints its id.
window_titled() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# The screen position of a window's client area, as "X Y".
client_origin() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x, y}'
}

# Presses Space on the start-up window $1 of process $2, as a user begins,
# and waits for the main window; prints its id.
begin_from_splash() {
    local main=""
    xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
    xdotool key --clearmodifiers space
    for _ in $(seq 100); do
        main=$(xdotool search --onlyvisible --pid "$2" --name "^The Chaos Game\$" 2>/dev/null | grep -vx "$1" | head -n 1 || true)
        [ -n "$main" ] && { echo "$main"; return 0; }
        sleep 0.1
    done
    return 1
}

# open_main_window PROGRAM LOG: starts the program, presses a key in its
# start-up window and waits for the maximised main window. Sets app, main,
# cx cy (the client area's screen position) and canvas_x canvas_y (the
# canvas's interior, 34 x 18 pixels into the client area, inside its frame).
open_main_window() {
    "$1" >"$2" 2>&1 &
    app=$!
    pids+=($app)
    local splash
    splash=$(window_sized 535x338 "$app") || fail "the start-up window did not open"
    sleep 0.5
    main=$(begin_from_splash "$splash" "$app") || fail "the main window did not open"
    for _ in $(seq 50); do
        xprop -id "$main" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_VERT && break
        sleep 0.1
    done
    sleep 0.5
    read -r cx cy < <(client_origin "$main")
    canvas_x=$((cx + 34))
    canvas_y=$((cy + 18))
    xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
}

# drawn_on_screen LEFT TOP WIDTH HEIGHT: the pixels drawn in that rectangle
# of the canvas's interior (at canvas_x canvas_y) on the screen now, told
# from the colour of its top-left pixel; the probe is kept in $out.
drawn_on_screen() {
    import -window root -crop "$3x$4+$((canvas_x + $1))+$((canvas_y + $2))" +repage "$out/probe.png"
    local background
    background=$(convert "$out/probe.png" -format "%[pixel:p{0,0}]" info:)
    convert "$out/probe.png" -fill white -opaque "$background" -negate -threshold 0 -format "%[fx:round(mean*w*h)]" info:
}
