#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program on a real X server (Xvfb) with a window manager (openbox),
# driven like a user with xdotool and wmctrl, checked on screenshots.
#
#   run_e2e.sh PROGRAM SHOTCHECK SHOT_DIR
set -euo pipefail
program=$1
shotcheck=$2
shots=$3
mkdir -p "$shots"
rm -f "$shots"/*.png

fail() { echo "e2e: FAIL: $*" >&2; exit 1; }
note() { echo "e2e: $*"; }
source "$(dirname "$0")/xsession.sh"
start_x_session

shot() { import -window root "$shots/$1.png"; }
# Takes shot $1 until the screenshot check $2 holds on the canvas, for at
# most $3 seconds: a busy machine may take longer, an idle one no longer.
shot_until() {
    local deadline=$((SECONDS + $3))
    until shot "$1" && "$shotcheck" "$2" "$shots/$1.png" "$canvas_x" "$canvas_y" 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || { "$shotcheck" "$2" "$shots/$1.png" "$canvas_x" "$canvas_y"; return 1; }
        sleep 0.3
    done
}
alive() { kill -0 "$1" 2>/dev/null; }
# Waits up to $2 seconds for a process to end.
wait_for_exit() {
    local deadline=$((SECONDS + $2))
    while alive "$1"; do [ $SECONDS -lt $deadline ] || return 1; sleep 0.1; done
}
now() { date +%s.%N; }
elapsed() { awk -v a="$(now)" -v b="$1" 'BEGIN { printf "%.2f", a - b }'; }
# Whether the first number is greater than the second.
more_than() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

# Starts the program, checks its start-up window and presses a key there.
start_main_window() {
    "$program" >"$shots/program.log" 2>&1 &
    app=$!
    pids+=($app)
    splash=$(window_sized 535x338 "$app") || fail "the start-up window did not open"
    sleep 0.5
    read -r sx sy < <(client_origin "$splash")
    [ "$sx" -ge 243 ] && [ "$sx" -le 246 ] && [ "$sy" -ge 213 ] && [ "$sy" -le 216 ] \
        || fail "the start-up window is not centred: $sx, $sy"
    shot 0-splash
    "$shotcheck" splash "$shots/0-splash.png" "$sx" "$sy" || fail "the start-up window looks wrong"
    main=$(begin_from_splash "$splash" "$app") || fail "the main window did not open"
    # Maximised on a 1024 x 768 screen, the canvas's interior starts 34 x 18
    # pixels into the client area (inside its 2-pixel frame).
    for _ in $(seq 50); do
        xprop -id "$main" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_HORZ && break
        sleep 0.1
    done
    xprop -id "$main" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_VERT || fail "the main window is not maximised"
    xwininfo -id "$splash" >/dev/null 2>&1 && xwininfo -id "$splash" | grep -q IsViewable \
        && fail "the start-up window is still open"
    sleep 0.5
    read -r cx cy < <(client_origin "$main")
    canvas_x=$((cx + 34))
    canvas_y=$((cy + 18))
    xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
}

# Presses Alt+P and waits until "Complete" shows; prints the seconds it took.
play_to_the_end() {
    local started; started=$(now)
    xdotool key --clearmodifiers alt+p
    for _ in $(seq 300); do
        sleep 0.25
        shot polling
        "$shotcheck" complete "$shots/polling.png" "$canvas_x" "$canvas_y" 2>/dev/null && break
    done
    elapsed "$started"
}

# --- 1. The triangle game runs to the end and draws the figure ------------
start_main_window
shot 1-opened
"$shotcheck" empty "$shots/1-opened.png" "$canvas_x" "$canvas_y" || fail "the canvas is not empty at start"

took=$(play_to_the_end)
triangle_took=$took
note "the triangle game took $took s"
shot 1-triangle
"$shotcheck" complete "$shots/1-triangle.png" "$canvas_x" "$canvas_y" || fail "the run did not finish"
"$shotcheck" triangle "$shots/1-triangle.png" "$canvas_x" "$canvas_y" || fail "the figure is wrong"
# 500 pauses of one 1/64-second tick each.
more_than "$took" 6 || fail "the run took only $took s"

# --- 2. The fractional game, its answer typed into the real input box ------
# Clicked with the mouse, so the button, not the canvas, has the focus.
xdotool mousemove $((cx + 624 + 64)) $((cy + 696 + 12)) click 1
ask=$(window_titled "Fractional Chaos Game") || fail "the input box did not open"
shot 2-asking
# The triangle's figure is gone from the screen, not only from the picture.
"$shotcheck" cleared "$shots/2-asking.png" "$canvas_x" "$canvas_y" || fail "the old figure shows behind the box"
xdotool type --delay 50 "0.5"
xdotool key Return
shot_until 2-fractional fractional 10 || fail "the fraction 0.5 drew the wrong figure"

# A refused answer: the message, answered with Enter, then a game with 0.5.
xdotool key --clearmodifiers alt+f
ask=$(window_titled "Fractional Chaos Game") || fail "the input box did not open again"
xdotool type --delay 50 "2"
xdotool key Return
refusal=$(window_titled "Error") || fail "no message for the refused answer 2"
shot 2-refused
xdotool windowactivate --sync "$refusal" >/dev/null 2>&1 || true
xdotool key Return
shot_until 2-fractional-refused fractional 10 || fail "the refused answer did not play with 0.5"

# --- 3. The explanation pages, through the keyboard -------------------------
xdotool key --clearmodifiers alt+e
shot_until 3-page-one pageone 10 || fail "page one looks wrong"
xdotool key Return # "Screen 2" has the focus
shot_until 3-page-two pagetwo 10 || fail "page two looks wrong"

# --- 3b. Input given during a run acts after it, in order ------------------
# Types Alt+F, "0.3" and Return in one go and checks, within $2 seconds, that
# the answer was taken and played; $1 names the shot, $3 says when it was typed.
answer_fraction_at_once() {
    xdotool key --clearmodifiers alt+f type --delay 12 "0.3"
    xdotool key Return
    shot_until "$1" filled "$2" || fail "Alt+F 0.3 Return typed $3 did not play with 0.3"
    if xdotool search --onlyvisible --name "^Error\$" >/dev/null 2>&1; then
        fail "the answer 0.3 typed $3 was refused"
    fi
}

# Idle: the box takes the answer.
answer_fraction_at_once 3b-fractional-at-once 10 "at once"

# During a triangle game: the box opens after the run and gets the keys.
xdotool key --clearmodifiers alt+p
sleep 1
answer_fraction_at_once 3b-fractional-after-run 20 "during a run"

# Alt+T, then three clicks on the canvas, during a run: the board, then three steps.
xdotool key --clearmodifiers alt+p
sleep 1
xdotool key --clearmodifiers alt+t
xdotool mousemove $((canvas_x + 60)) $((canvas_y + 300)) click --repeat 3 --delay 80 1
shot_until 3b-tracked-after-run threesteps 20 \
    || fail "Alt+T and three canvas clicks during a run did not take three steps"

# --- 4. "Quit" then "Play" clicked during a run: the program ends right after it
started=$(now)
xdotool key --clearmodifiers alt+p
sleep 1.5
shot 4-running
xdotool mousemove $((cx + 920 + 36)) $((cy + 696 + 12)) click 1
xdotool mousemove $((cx + 184 + 56)) $((cy + 696 + 12)) click 1
sleep 1.5
alive "$app" || fail "the program ended during the run, $(elapsed "$started") s after Alt+P"
shot 4-after-quit-click
"$shotcheck" complete "$shots/4-after-quit-click.png" "$canvas_x" "$canvas_y" 2>/dev/null \
    && fail "the run ended too soon"
wait_for_exit "$app" 60 || fail "the program did not end after the run"
took=$(elapsed "$started")
status=0
wait "$app" || status=$?
note "the program ended $took s after Alt+P, with status $status"
[ "$status" -eq 0 ] || fail "the program ended with status $status"
more_than "$took" 6 || fail "the program ended before the run could finish ($took s)"
# One run, not two: well under twice the first game's time on this machine.
more_than "$(awk -v t="$triangle_took" 'BEGIN { print 1.7 * t }')" "$took" \
    || fail "the program ran on after Quit ($took s, one game takes $triangle_took s): the Play after it was not dropped"

# --- 5. Closing by the title bar during a run also waits for the run -------
start_main_window
started=$(now)
xdotool key --clearmodifiers alt+p
sleep 1.5
wmctrl -c "The Chaos Game"
sleep 1.5
alive "$app" || fail "closing by the title bar ended the run"
wait_for_exit "$app" 60 || fail "the program did not end after the run"
took=$(elapsed "$started")
note "closed by the window manager, the program ended $took s after Alt+P"
more_than "$took" 6 || fail "the close request did not wait for the run"

echo "e2e: all checks passed"
