#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program on screens other than the 1024 x 768 one its layout was
# made for: a 1920 x 1080 projector, the same at 150 % desktop scaling, and
# an 800 x 600 screen. On each, under Xvfb with openbox: the start-up window
# centred, whole and scaled like the main window; the main window maximised,
# its layout filling the screen with every button caption whole; a triangle
# game's figure where the corner table puts it, and "Complete"; and on the
# projector, the window restored to 605 x 446 with all of that still whole.
#
#   run_e2e_screens.sh PROGRAM SHOTCHECK SHOT_DIR
set -euo pipefail
program=$1
shotcheck=$2
shots=$3
mkdir -p "$shots"
rm -f "$shots"/*.png

fail() { echo "e2e-screens: FAIL: $*" >&2; exit 1; }
note() { echo "e2e-screens: $*"; }
source "$(dirname "$0")/xsession.sh"

shot() { import -window root "$shots/$1.png"; }
# "X Y WIDTH HEIGHT" of a window's client area on the screen.
client_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                             /^  Width:/ {w=$NF} /^  Height:/ {h=$NF} END {print x, y, w, h}'
}
alive() { kill -0 "$1" 2>/dev/null; }
# Waits up to $2 seconds for a process to end.
wait_for_exit() {
    local deadline=$((SECONDS + $2))
    while alive "$1"; do [ $SECONDS -lt $deadline ] || return 1; sleep 0.1; done
}
# Whether two numbers differ by at most the third.
near() { awk -v a="$1" -v b="$2" -v d="$3" 'BEGIN { exit !(a - b <= d && b - a <= d) }'; }

# run_on_screen NAME WIDTHxHEIGHT DESKTOP_SCALE, in a subshell of its own.
run_on_screen() {
    local name=$1 size=$2 ratio=$3
    local screen_width=${size%x*} screen_height=${size#*x}
    pids=()
    trap cleanup EXIT
    start_x_session "$size"
    if [ "$ratio" = 1 ]; then unset QT_SCALE_FACTOR; else export QT_SCALE_FACTOR=$ratio; fi

    "$program" >"$shots/$name.log" 2>&1 &
    local app=$!
    pids+=($app)

    # The start-up window: centred, whole on the screen, laid out to scale.
    local splash=""
    for _ in $(seq 100); do
        splash=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -n 1 || true)
        [ -n "$splash" ] && break
        sleep 0.1
    done
    [ -n "$splash" ] || fail "$name: the start-up window did not open"
    sleep 0.5
    local sx sy sw sh
    read -r sx sy sw sh < <(client_geometry "$splash")
    [ "$sx" -ge 0 ] && [ "$sy" -ge 0 ] && [ $((sx + sw)) -le "$screen_width" ] && [ $((sy + sh)) -le "$screen_height" ] \
        || fail "$name: the start-up window runs off the screen: ${sw}x$sh at $sx, $sy"
    near $((2 * sx + sw)) "$screen_width" 3 && near $((2 * sy + sh)) "$screen_height" 3 \
        || fail "$name: the start-up window is not centred: ${sw}x$sh at $sx, $sy"
    shot "$name-0-splash"
    "$shotcheck" splash "$shots/$name-0-splash.png" "$sx" "$sy" "$sw" "$sh" || fail "$name: the start-up window looks wrong"

    # The main window, maximised, its layout scaled to its client area.
    local main
    main=$(begin_from_splash "$splash" "$app") || fail "$name: the main window did not open"
    for _ in $(seq 50); do
        xprop -id "$main" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_VERT && break
        sleep 0.1
    done
    xprop -id "$main" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_VERT || fail "$name: the main window is not maximised"
    # Maximised, the window spans the screen's width (openbox draws no side borders).
    local cx cy cw ch il it iw ih scale
    for _ in $(seq 100); do
        read -r cx cy cw ch < <(client_geometry "$main")
        [ "$cw" -eq "$screen_width" ] && break
        sleep 0.1
    done
    [ "$cw" -eq "$screen_width" ] || fail "$name: the maximised window is ${cw}x$ch"
    sleep 0.5
    read -r il it iw ih scale < <("$shotcheck" layout "$cw" "$ch" "$ratio")
    note "$name: client area ${cw}x$ch, layout scale $scale, canvas ${iw}x$ih screen pixels, start-up window ${sw}x$sh"
    near "$(awk -v w="$sw" 'BEGIN { print w / 535 }')" "$(awk -v s="$scale" -v r="$ratio" 'BEGIN { print s * r }')" \
        "$(awk -v s="$scale" -v r="$ratio" 'BEGIN { print 0.03 * s * r }')" \
        || fail "$name: the start-up window (${sw} wide) is not scaled like the main window ($scale)"
    local canvas_x=$((cx + il)) canvas_y=$((cy + it))
    xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true

    shot "$name-1-opened"
    "$shotcheck" buttons "$shots/$name-1-opened.png" "$cx" "$cy" "$cw" "$ch" "$ratio" || fail "$name: the buttons look wrong"
    "$shotcheck" empty "$shots/$name-1-opened.png" "$canvas_x" "$canvas_y" "$iw" "$ih" \
        || fail "$name: the canvas is not where the layout puts it, or not empty"

    # A triangle game to the end.
    xdotool key --clearmodifiers alt+p
    for _ in $(seq 300); do
        sleep 0.25
        shot "$name-polling"
        "$shotcheck" complete "$shots/$name-polling.png" "$canvas_x" "$canvas_y" "$iw" "$ih" 2>/dev/null && break
    done
    rm -f "$shots/$name-polling.png"
    shot "$name-2-triangle"
    "$shotcheck" complete "$shots/$name-2-triangle.png" "$canvas_x" "$canvas_y" "$iw" "$ih" \
        || fail "$name: the run did not finish"
    "$shotcheck" triangle "$shots/$name-2-triangle.png" "$canvas_x" "$canvas_y" "$iw" "$ih" \
        || fail "$name: the figure is wrong"
    "$shotcheck" buttons "$shots/$name-2-triangle.png" "$cx" "$cy" "$cw" "$ch" "$ratio" \
        || fail "$name: the buttons look wrong after the run"

    if [ "$name" = 1920x1080 ]; then
        # Restored, the window shrinks to 605 x 446: the whole layout still
        # shows, every caption whole if small, and the figure made smaller.
        wmctrl -r "The Chaos Game" -b remove,maximized_vert,maximized_horz
        for _ in $(seq 100); do
            read -r cx cy cw ch < <(client_geometry "$main")
            [ "$cw" -eq 605 ] && break
            sleep 0.1
        done
        [ "${cw}x$ch" = 605x446 ] || fail "$name: the restored window is ${cw}x$ch"
        read -r il it iw ih scale < <("$shotcheck" layout "$cw" "$ch" "$ratio")
        # Repainted at the new size at once, later on a loaded machine.
        for _ in $(seq 40); do
            shot "$name-3-restored"
            "$shotcheck" triangle "$shots/$name-3-restored.png" $((cx + il)) $((cy + it)) "$iw" "$ih" \
                >/dev/null 2>&1 \
                && "$shotcheck" complete "$shots/$name-3-restored.png" $((cx + il)) $((cy + it)) "$iw" "$ih" \
                    >/dev/null 2>&1 && break
            sleep 0.25
        done
        "$shotcheck" buttons "$shots/$name-3-restored.png" "$cx" "$cy" "$cw" "$ch" "$ratio" 5 \
            || fail "$name: the buttons look wrong in the restored window"
        "$shotcheck" triangle "$shots/$name-3-restored.png" $((cx + il)) $((cy + it)) "$iw" "$ih" \
            || fail "$name: the figure did not survive restoring the window"
        "$shotcheck" complete "$shots/$name-3-restored.png" $((cx + il)) $((cy + it)) "$iw" "$ih" \
            || fail "$name: \"Complete\" did not survive restoring the window"
    fi

    xdotool key --clearmodifiers alt+q
    wait_for_exit "$app" 30 || fail "$name: the program did not end on Alt+Q"
}

# The three screens at once, each on its own X server: a run spends most
# of its time waiting for the triangle game's clock ticks.
runs=()
for screen in "1920x1080 1920x1080 1" "1920x1080-150 1920x1080 1.5" "800x600 800x600 1"; do
    read -r name size ratio <<<"$screen"
    (run_on_screen "$name" "$size" "$ratio") >"$shots/$name.out" 2>&1 &
    runs+=("$!:$name")
done
failed=0
for run in "${runs[@]}"; do
    wait "${run%%:*}" || failed=1
    cat "$shots/${run#*:}.out"
done
[ $failed -eq 0 ] || exit 1
echo "e2e-screens: all checks passed"
