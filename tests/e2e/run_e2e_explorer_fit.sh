#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Chaos Explorer on small and scaled screens, in the real program under
# Xvfb and openbox: `chaos-game --explorer` opens its window with the whole
# frame, title bar included, within the screen, and F11 gives it exactly
# the screen, on 640 x 480, 800 x 600 and 1600 x 900 at scale 2 (and 1). A
# scale below 1, which the toolkit draws broken, is refused with a message
# and the window shown at scale 1.
#
#   run_e2e_explorer_fit.sh PROGRAM OUT_DIR
set -euo pipefail
program=$1
out=$2
rm -rf "$out"
mkdir -p "$out/home"

fail() { echo "e2e-explorer-fit: FAIL: $*" >&2; exit 1; }
note() { echo "e2e-explorer-fit: $*"; }
source "$(dirname "$0")/xsession.sh"
export HOME=$out/home XDG_CONFIG_HOME=$out/home/.config

# The frame's extents left, right, top, bottom that the window manager gives $1.
frame_extents() {
    local extents=""
    for _ in $(seq 50); do
        extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ,)
        [ -n "$extents" ] && break
        sleep 0.1
    done
    echo "${extents:-0 0 0 0}"
}

for screen in 640x480:1 800x600:1 1600x900:2 1600x900:1 1024x768:0.5; do
    size=${screen%%:*}
    scale=${screen##*:}
    name="${size}-scale${scale}"
    start_x_session "$size"
    screen_w=${size%x*}
    screen_h=${size#*x}

    QT_SCALE_FACTOR=$scale "$program" --explorer >"$out/$name.log" 2>&1 &
    program_pid=$!
    pids+=("$program_pid")
    explorer=$(window_titled "Chaos Explorer") || fail "$name: no Chaos Explorer window"
    sleep 1.5 # placed and, if need be, moved into the screen
    eval "$(xdotool getwindowgeometry --shell "$explorer")"
    read -r wx wy < <(client_origin "$explorer")
    read -r left right top bottom < <(frame_extents "$explorer")
    import -window root "$out/$name.png"
    note "$name: client ${WIDTH}x${HEIGHT}+${wx}+${wy}, frame $left $right $top $bottom"
    [ $((wx - left)) -ge 0 ] && [ $((wy - top)) -ge 0 ] \
        && [ $((wx + WIDTH + right)) -le "$screen_w" ] && [ $((wy + HEIGHT + bottom)) -le "$screen_h" ] \
        || fail "$name: the window ${WIDTH}x${HEIGHT}+${wx}+${wy} (frame $left $right $top $bottom) leaves the screen"

    # Full screen: the window is the screen, no larger.
    xdotool windowactivate --sync "$explorer" >/dev/null 2>&1 || true
    xdotool key --clearmodifiers F11
    sleep 1.5
    eval "$(xdotool getwindowgeometry --shell "$explorer")"
    import -window root "$out/$name-full.png"
    [ "${WIDTH}x${HEIGHT}" = "$size" ] || fail "$name: full screen is ${WIDTH}x${HEIGHT}, not $size"

    if [ "$scale" = 0.5 ]; then
        grep -q "^chaos-game: QT_SCALE_FACTOR=0.5 is not used: the windows cannot be scaled below 1" "$out/$name.log" \
            || fail "$name: no message refusing the scale: $(cat "$out/$name.log")"
    fi

    kill "$program_pid" 2>/dev/null || true
    cleanup
    pids=()
done
note "the Explorer fits 640x480, 800x600 and 1600x900 at scales 1 and 2, and full screen is the screen; scale 0.5 is refused"
