#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Everything the program remembers lies in one settings file, as a user
# finds it: the program is run, a picture saved (its folder remembered) and
# the Explorer's figure changed (its exploration remembered), the program
# quit, and the configuration folder listed: chaos-game/chaos-game.conf
# alone, holding both. Then a named pipe in place of that file: the program
# still opens at once, with its defaults, says so once on standard error,
# and leaves the pipe as it was.
#
#   run_e2e_settings.sh PROGRAM OUT_DIR
set -euo pipefail
program=$1
out=$2
rm -rf "$out"
mkdir -p "$out/home/Pictures" "$out/saved"

fail() { echo "e2e-settings: FAIL: $*" >&2; exit 1; }
note() { echo "e2e-settings: $*"; }
source "$(dirname "$0")/xsession.sh"
start_x_session
config=$out/home/.config
export HOME=$out/home XDG_CONFIG_HOME=$config

shot() { import -window root "$out/$1.png"; }
quit_program() {
    wmctrl -c "The Chaos Game"
    for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$app" 2>/dev/null && fail "the program did not end when closed"
    return 0
}

# --- A picture saved: its folder is remembered ------------------------------
open_main_window "$program" "$out/program.log"
xdotool key --clearmodifiers ctrl+s
dialog=$(window_titled "Save Picture As") || fail "Ctrl+S opened no \"Save Picture As\" dialog"
sleep 0.5
xdotool windowactivate --sync "$dialog" >/dev/null 2>&1 || true
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "$out/saved/first.png"
xdotool key Return
for _ in $(seq 100); do [ -s "$out/saved/first.png" ] && break; sleep 0.1; done
[ -s "$out/saved/first.png" ] || fail "no picture saved"
for _ in $(seq 50); do xdotool search --onlyvisible --name "^Save Picture As\$" >/dev/null 2>&1 || break; sleep 0.1; done

# --- The Explorer's figure changed: its exploration is remembered -----------
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
xdotool key --clearmodifiers ctrl+e
explorer=$(window_titled "Chaos Explorer") || fail "Ctrl+E opened no Chaos Explorer"
xdotool windowactivate --sync "$explorer" >/dev/null 2>&1 || true
sleep 0.5
# Seven corners: the corners field, typed over.
xdotool key --clearmodifiers alt+c
xdotool key ctrl+a
xdotool type --delay 40 "7"
xdotool key Tab
sleep 0.5
shot 1-explorer
xdotool key --clearmodifiers ctrl+w
for _ in $(seq 50); do xdotool search --onlyvisible --name "^Chaos Explorer\$" >/dev/null 2>&1 || break; sleep 0.1; done
quit_program

# --- One file, holding both -------------------------------------------------
# QtProject.conf is Qt's file dialog's own (its history and sidebar), shared
# by every Qt program; anything else is the program's.
files=$(cd "$config" && find . -type f -o -type p | sed 's|^\./||' | grep -vx QtProject.conf | sort | tr '\n' ' ')
[ "$files" = "chaos-game/chaos-game.conf " ] \
    || fail "the configuration folder holds '$files', not chaos-game/chaos-game.conf alone"
conf=$config/chaos-game/chaos-game.conf
grep -q "^saveFolder=$out/saved\$" "$conf" || fail "the settings file does not name the save folder: $(cat "$conf")"
grep -q "^exploration=.*corners = 7" "$conf" || fail "the settings file does not hold the exploration: $(cat "$conf")"
note "one settings file, holding the save folder and the Explorer's exploration"

# --- A named pipe in its place: the program opens with its defaults --------
rm "$conf"
mkfifo "$conf"
started=$(date +%s%N)
open_main_window "$program" "$out/pipe.log"
took=$((($(date +%s%N) - started) / 1000000))
xdotool key --clearmodifiers ctrl+e
window_titled "Chaos Explorer" >/dev/null || fail "with a pipe for settings, Ctrl+E opened no Chaos Explorer"
sleep 0.5
shot 2-pipe
# The Explorer says so too, in a box over it; both closed.
for _ in $(seq 5); do
    xdotool search --onlyvisible --name "^Chaos Explorer\$" >/dev/null 2>&1 || break
    wmctrl -c "Chaos Explorer"
    sleep 0.5
done
quit_program
[ -p "$conf" ] || fail "the named pipe was replaced"
told=$(grep -c "not an ordinary file" "$out/pipe.log" || true)
[ "$told" = 1 ] || fail "standard error told the unusable settings $told times: $(cat "$out/pipe.log")"
grep -q "runs with its defaults" "$out/pipe.log" || fail "standard error does not say what the program does: $(cat "$out/pipe.log")"
note "a pipe for settings: opened in ${took} ms, told once on standard error, left alone"
echo "e2e-settings: all checks passed"
