#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop's pieces in the real program under a real window manager: F1
# opens the help window and Esc closes it, F11 puts the main window on the
# whole screen and F11 gives it back maximised, Ctrl+P opens the print
# dialog and Esc cancels it; every window keeps the title it sets.
#
#   run_e2e_desktop.sh PROGRAM OUT_DIR
set -euo pipefail
program=$1
out=$2
rm -rf "$out"
mkdir -p "$out/home"

fail() { echo "e2e-desktop: FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/xsession.sh"
start_x_session
export HOME=$out/home XDG_CONFIG_HOME=$out/home/.config

shot() { import -window root "$out/$1.png"; }
gone() { for _ in $(seq 50); do xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0; sleep 0.1; done; return 1; }
state() { xprop -id "$main" _NET_WM_STATE; }
geometry() { xdotool getwindowgeometry "$main" | sed -n 's/.*Geometry: //p'; }

"$program" >"$out/program.log" 2>&1 &
app=$!
pids+=($app)
splash=$(window_sized 535x338 "$app") || fail "the start-up window did not open"
# The start-up window has no title bar; the task bar names it after the program.
[ "$(xdotool getwindowname "$splash")" = "The Chaos Game" ] || fail "the start-up window is named '$(xdotool getwindowname "$splash")'"
sleep 0.5
main=$(begin_from_splash "$splash" "$app") || fail "the main window did not open"
for _ in $(seq 50); do state | grep -q MAXIMIZED_VERT && break; sleep 0.1; done
maximised=$(geometry)
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true

xdotool key --clearmodifiers F1
window_titled "The Chaos Game Help" >/dev/null || fail "F1 opened no window titled \"The Chaos Game Help\""
sleep 0.5
shot 1-help
xdotool key --clearmodifiers Escape
gone "The Chaos Game Help" || fail "Esc did not close the help window"

xdotool key --clearmodifiers F11
for _ in $(seq 50); do state | grep -q FULLSCREEN && break; sleep 0.1; done
state | grep -q FULLSCREEN || fail "F11 did not make the window full screen: $(state)"
for _ in $(seq 50); do [ "$(geometry)" = 1024x768 ] && break; sleep 0.1; done
[ "$(geometry)" = 1024x768 ] || fail "full screen, the window is $(geometry), not the screen's 1024x768"
sleep 0.5
shot 2-full-screen
xdotool key --clearmodifiers F11
for _ in $(seq 50); do state | grep -q FULLSCREEN || break; sleep 0.1; done
state | grep -q MAXIMIZED_VERT || fail "F11 again did not give the window back maximised: $(state)"
[ "$(geometry)" = "$maximised" ] || fail "the window came back as $(geometry), not $maximised"

xdotool key --clearmodifiers ctrl+p
window_titled "Print Picture" >/dev/null || fail "Ctrl+P opened no window titled \"Print Picture\""
sleep 0.5
shot 3-print
xdotool key --clearmodifiers Escape
gone "Print Picture" || fail "Esc did not cancel the print dialog"
[ -z "$(ls -A "$out/home" | grep -v '^\.config$' || true)" ] || fail "cancelling the print dialog left a file"

wmctrl -c "The Chaos Game"
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "the program did not end when closed"
echo "e2e-desktop: F1, F11 and Ctrl+P work under a window manager, with the windows' own titles"
