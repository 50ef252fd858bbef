#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Input given at awkward moments, in the real program under Xvfb and openbox,
# typed and clicked with xdotool as an impatient user would: the Menu key
# during a run, "No" to the file dialog's question, the main window clicked
# and closed while the fraction's box is open, an accelerator held down.
#
#   run_e2e_heldinput.sh PROGRAM SHOTCHECK OUT_DIR
set -euo pipefail
program=$1
shotcheck=$2
out=$3
rm -rf "$out"
mkdir -p "$out/home/Pictures"

fail() { echo "e2e-heldinput: FAIL: $*" >&2; exit 1; }
note() { echo "e2e-heldinput: $*"; }
source "$(dirname "$0")/xsession.sh"
start_x_session
export HOME=$out/home XDG_CONFIG_HOME=$out/home/.config

shot() { import -window root "$out/$1.png"; }
check() { shot "$2"; "$shotcheck" "$1" "$out/$2.png" "$canvas_x" "$canvas_y"; }
# The process's processor time so far, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$app/stat"; }
visible_windows() { xdotool search --onlyvisible --pid "$app" 2>/dev/null | wc -l; }
# Waits up to $1 seconds for "Complete" to show; fails with $2 if it does not.
wait_for_complete() {
    local deadline=$((SECONDS + $1))
    until check complete polling 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || fail "$2"
        sleep 0.25
    done
}

open_main_window "$program" "$out/program.log"

# --- The Menu key during a run: the run ends on time, then the menu opens --
# The canvas is clicked first, to give it the keyboard (Alt+P gave it to
# "Play"); the Menu key then asks for the canvas's menu.
windows_before=$(visible_windows)
xdotool key --clearmodifiers alt+p
sleep 1
xdotool mousemove $((canvas_x + 300)) $((canvas_y + 300)) click 1
xdotool key Menu
wait_for_complete 30 "the run did not end on time after the Menu key"
for _ in $(seq 20); do [ "$(visible_windows)" -gt "$windows_before" ] && break; sleep 0.1; done
[ "$(visible_windows)" -gt "$windows_before" ] || fail "no menu opened after the run"
shot 1-menu-after-run
xdotool key Escape
for _ in $(seq 20); do [ "$(visible_windows)" -eq "$windows_before" ] && break; sleep 0.1; done
[ "$(visible_windows)" -eq "$windows_before" ] || fail "Escape did not close the menu"
note "the Menu key during a run opened its menu after the run"

# --- "No" to "replace?", then Escape: the file dialog closes ---------------
taken=$out/home/Pictures/taken.png
convert -size 4x4 xc:white "$taken"
xdotool key --clearmodifiers ctrl+s
dialog=$(window_titled "Save Picture As") || fail "Ctrl+S opened no dialog"
xdotool windowactivate --sync "$dialog" >/dev/null 2>&1 || true
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 30 "$taken"
xdotool key Return
for _ in $(seq 50); do
    [ "$(xdotool search --onlyvisible --name '^Save Picture As$' 2>/dev/null | wc -l)" -ge 2 ] && break
    sleep 0.1
done
shot 2-replace
xdotool key --clearmodifiers alt+n
sleep 0.5
xdotool key Escape
for _ in $(seq 50); do xdotool search --onlyvisible --name "^Save Picture As\$" >/dev/null 2>&1 || break; sleep 0.1; done
xdotool search --onlyvisible --name "^Save Picture As\$" >/dev/null 2>&1 && fail "the dialog ignored Escape after \"No\""
[ "$(convert "$taken" -format '%w' info:)" = 4 ] || fail "\"No\" replaced the file"
note "\"No\" to replace, then Escape, closed the dialog"

# --- The main window while the fraction's box is open ------------------------
# Clicked, then Alt+P and the answer typed at once: the answer is taken,
# nothing else runs. Then closed by its title bar: nothing happens, and the
# program stays idle until the box is answered.
xdotool key --clearmodifiers alt+f
ask=$(window_titled "Fractional Chaos Game") || fail "the input box did not open"
xdotool mousemove $((cx + 184 + 56)) $((cy + 696 + 12)) click 1
xdotool key --clearmodifiers alt+p
xdotool type --delay 12 "0.3"
xdotool key Return
sleep 2
xdotool search --onlyvisible --name "^Error\$" >/dev/null 2>&1 && fail "the answer typed after a click on the window was refused"
check filled 3-clicked-then-typed || fail "the answer typed after a click on the window did not play with 0.3"
sleep 1
check filled 3-nothing-after || fail "something ran after the fraction's game"

xdotool key --clearmodifiers alt+f
ask=$(window_titled "Fractional Chaos Game") || fail "the input box did not open again"
wmctrl -c "The Chaos Game"
before=$(cpu_ticks)
sleep 2
used=$(( $(cpu_ticks) - before ))
note "closed under the box: $used ticks of processor time in 2 s"
[ "$used" -lt 50 ] || fail "the close under the box kept the processor busy ($used ticks in 2 s)"
kill -0 "$app" 2>/dev/null || fail "the close under the box ended the program"
xdotool windowactivate --sync "$ask" >/dev/null 2>&1 || true
xdotool type --delay 12 "0.3"
xdotool key Return
sleep 2
kill -0 "$app" 2>/dev/null || fail "the program ended after the box was answered"
check filled 3-answered-after-close || fail "the box did not play 0.3 after the refused close"

# --- Alt+P held down for a second plays one game ----------------------------
xdotool keydown alt+p
sleep 1
xdotool keyup alt+p
wait_for_complete 60 "the triangle game did not complete"
sleep 3
check complete 4-one-game-only || fail "holding Alt+P down played more than one game"
note "Alt+P held down for a second played one game"

wmctrl -c "The Chaos Game"
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "the program did not end when closed"
echo "e2e-heldinput: all checks passed"
