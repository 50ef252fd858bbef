#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Chaos Explorer in the real program under Xvfb and openbox, driven with
# xdotool as a teacher would: Ctrl+E from the main window, the carpet picked
# with the keyboard, run and paused, its middle square seen empty on the
# screen; zoomed with the wheel into a corner square, whose own middle is
# empty again; saved as a .chaos file and opened again, view and all; a
# .chaos file given alone opens in the Explorer, which rests once its
# figure is complete.
#
#   run_e2e_explorer.sh PROGRAM OUT_DIR
set -euo pipefail
program=$1
out=$2
rm -rf "$out"
mkdir -p "$out/home"

fail() { echo "e2e-explorer: FAIL: $*" >&2; exit 1; }
note() { echo "e2e-explorer: $*"; }
source "$(dirname "$0")/xsession.sh"
start_x_session
export HOME=$out/home XDG_CONFIG_HOME=$out/home/.config

shot() { import -window root "$out/$1.png"; }
# The darkest grey (0 black .. 1 white) in the rectangle W H X Y of a shot.
darkest() { convert "$out/$1.png" -crop "$2x$3+$4+$5" +repage -colorspace gray -format '%[fx:minima]' info:; }
# The mean grey of the rectangle.
mean() { convert "$out/$1.png" -crop "$2x$3+$4+$5" +repage -colorspace gray -format '%[fx:mean]' info:; }
is_below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
# The pixel colours of one row (or column) of a shot, one per line.
row_colours() { convert "$out/$1.png" -crop "$2x1+$3+$4" +repage -depth 8 txt:- | awk 'NR > 1 { print $3 }'; }
column_colours() { convert "$out/$1.png" -crop "1x$2+$3+$4" +repage -depth 8 txt:- | awk 'NR > 1 { print $3 }'; }

open_main_window "$program" "$out/program.log"

# --- Ctrl+E opens the Explorer; the carpet is picked with the keyboard -----
xdotool key --clearmodifiers ctrl+e
explorer=$(window_titled "Chaos Explorer") || fail "Ctrl+E opened no Chaos Explorer"
xdotool windowactivate --sync "$explorer" >/dev/null 2>&1 || true
sleep 0.5
# triangle, square, square-no-repeat, carpet: three down from the first.
xdotool key --clearmodifiers alt+p
xdotool key Home Down Down Down
sleep 2
xdotool key space # pause
sleep 0.5
shot carpet

# The figure: the white area right of the controls, found on a row near the
# bottom of the window, where the controls' column is empty.
read -r wx wy < <(client_origin "$explorer")
eval "$(xdotool getwindowgeometry --shell "$explorer")"
probe_y=$((wy + HEIGHT * 9 / 10))
mapfile -t row < <(row_colours carpet "$WIDTH" "$wx" "$probe_y")
left=-1
right=-1
for i in "${!row[@]}"; do
    if [ "${row[$i]}" = "#FFFFFF" ]; then
        [ "$left" -lt 0 ] && [ "$i" -gt $((WIDTH / 5)) ] && left=$i
        [ "$left" -ge 0 ] && right=$i
    fi
done
[ "$left" -ge 0 ] || fail "no white figure area in the Explorer"
mapfile -t column < <(column_colours carpet "$HEIGHT" $((wx + left + 2)) "$wy")
top=-1
bottom=-1
for i in "${!column[@]}"; do
    if [ "${column[$i]}" = "#FFFFFF" ]; then
        [ "$top" -lt 0 ] && top=$i
        bottom=$i
    fi
done
view_x=$((wx + left)); view_y=$((wy + top))
view_w=$((right - left + 1)); view_h=$((bottom - top + 1))
note "the figure's area: ${view_w}x${view_h}+${view_x}+${view_y}"
[ "$view_w" -gt 200 ] && [ "$view_h" -gt 200 ] || fail "the figure's area is too small: ${view_w}x${view_h}"

# The whole carpet fills the tighter side less 5 % each side; its middle
# square is the middle ninth, empty; dots all around it.
side=$(( (view_w < view_h ? view_w : view_h) * 9 / 10 ))
mid_x=$((view_x + view_w / 2)); mid_y=$((view_y + view_h / 2))
hole=$((side / 5))
is_below 0.95 "$(darkest carpet $hole $hole $((mid_x - hole / 2)) $((mid_y - hole / 2)))" \
    || fail "the carpet's middle square is not empty"
is_below "$(mean carpet $((side / 4)) $((side / 4)) $((mid_x - side / 2 + 4)) $((mid_y + side / 4)))" 0.9 \
    || fail "the carpet has no dots in its corner square"
note "the carpet's middle square is empty"

# --- Zoom into the lower-left corner square: its middle is empty too -------
# The corner square's middle is a sixth of the side in from the corner.
corner_x=$((mid_x - side / 2 + side / 6)); corner_y=$((mid_y + side / 2 - side / 6))
xdotool mousemove "$corner_x" "$corner_y"
sleep 0.3
for _ in 1 2 3; do xdotool click 4; sleep 0.3; done
sleep 2
shot zoomed
# Three notches of 1.5 magnify 3.375 times: the corner square now spans
# about the whole side, its middle hole a third of it, about the pointer.
is_below 0.95 "$(darkest zoomed $hole $hole $((corner_x - hole / 2)) $((corner_y - hole / 2)))" \
    || fail "the zoomed corner square's middle is not empty"
is_below "$(mean zoomed "$view_w" "$view_h" "$view_x" "$view_y")" 0.9 \
    || fail "the zoomed view shows no dots"
note "zoomed into the corner, the same hole again"

# --- Save the exploration, pick another figure, open it again --------------
saved=$out/home/carpet-corner.chaos
xdotool key --clearmodifiers ctrl+shift+s
dialog=$(window_titled "Save Exploration As") || fail "Ctrl+Shift+S opened no dialog"
xdotool windowactivate --sync "$dialog" >/dev/null 2>&1 || true
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "$saved"
xdotool key Return
for _ in $(seq 50); do [ -s "$saved" ] && break; sleep 0.1; done
[ -s "$saved" ] || fail "Save Exploration As wrote no file"
grep -q '^midpoints = yes$' "$saved" || fail "the saved exploration is not the carpet: $(cat "$saved")"
grep -q '^view = ' "$saved" || fail "the saved exploration has no view"
note "saved $(basename "$saved")"

xdotool key --clearmodifiers alt+p
xdotool key Home
sleep 0.5
xdotool key --clearmodifiers ctrl+o
dialog=$(window_titled "Open Exploration") || fail "Ctrl+O opened no dialog"
xdotool windowactivate --sync "$dialog" >/dev/null 2>&1 || true
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "$saved"
xdotool key Return
for _ in $(seq 50); do xdotool search --onlyvisible --name "^Open Exploration\$" >/dev/null 2>&1 || break; sleep 0.1; done
xdotool key space # run the opened exploration
sleep 2
xdotool key space
sleep 0.5
shot reopened
is_below 0.95 "$(darkest reopened $hole $hole $((corner_x - hole / 2)) $((corner_y - hole / 2)))" \
    || fail "the opened exploration does not show the zoomed corner's hole"
is_below "$(mean reopened "$view_w" "$view_h" "$view_x" "$view_y")" 0.9 \
    || fail "the opened exploration shows no dots"
note "opened it again: the same view"

# --- Closing remembers the exploration for the next run ---------------------
xdotool key --clearmodifiers ctrl+w
sleep 1
grep -rqs 'midpoints = yes' "$XDG_CONFIG_HOME" || fail "the last exploration was not remembered"

# --- A .chaos file given alone opens in the Explorer, as a double-click does --
# Then the Explorer rests once its figure is complete: the whole program
# takes under 0.1 s of processor time in 10 s.
seven=$out/home/seven.chaos
printf 'format = 1\ncorners = 7  # a heptagon\nratio = 2/3\n' > "$seven"
"$program" "$seven" >"$out/opened.log" 2>&1 &
opened=$!
pids+=($opened)
window_titled "Chaos Explorer" >/dev/null || fail "'chaos-game seven.chaos' opened no Chaos Explorer"
# Processor time (user and system) of the process, in clock ticks.
ticks() { awk '{ print $14 + $15 }' "/proc/$opened/stat"; }
hertz=$(getconf CLK_TCK)
rested=""
for second in $(seq 40); do
    before=$(ticks); sleep 1; after=$(ticks)
    if [ $((after - before)) -le $((hertz / 50)) ]; then rested=yes; break; fi
done
[ -n "$rested" ] || fail "the Explorer never rested: $((after - before)) ticks a second"
note "rested after about $second s"
before=$(ticks); sleep 10; after=$(ticks)
spent=$(awk -v t=$((after - before)) -v hz="$hertz" 'BEGIN { printf "%.2f", t / hz }')
note "processor time in 10 s after the figure was complete: $spent s"
is_below "$spent" 0.1 || fail "the Explorer took $spent s of processor time in 10 s at rest"
shot rested
kill "$opened"
wait "$opened" 2>/dev/null || true
grep -rqs 'corners = 7' "$XDG_CONFIG_HOME" || fail "'chaos-game seven.chaos' did not open seven.chaos"
note "passed"
