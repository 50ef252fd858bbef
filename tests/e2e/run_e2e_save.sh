#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Saving the figure in the real program, as a user does: a game, Ctrl+S, a
# file name typed into the file dialog, Enter. The file must be a PNG of the
# canvas's interior, pixel for pixel what the screen shows, figure included.
#
#   run_e2e_save.sh PROGRAM SHOTCHECK OUT_DIR
set -euo pipefail
program=$1
shotcheck=$2
out=$3
rm -rf "$out"
mkdir -p "$out/home/Pictures" "$out/saved"

fail() { echo "e2e-save: FAIL: $*" >&2; exit 1; }
note() { echo "e2e-save: $*"; }
source "$(dirname "$0")/xsession.sh"
start_x_session

# The program gets a home of its own, whose pictures folder the dialog opens in.
export HOME=$out/home XDG_CONFIG_HOME=$out/home/.config

shot() { import -window root "$out/$1.png"; }

open_main_window "$program" "$out/program.log"

# The square game (well under a second), until "Complete" shows at (330, 30).
xdotool key --clearmodifiers alt+s
for _ in $(seq 100); do
    [ "$(drawn_on_screen 310 620 80 16)" -gt 20 ] && break
    sleep 0.1
done
[ "$(drawn_on_screen 310 620 80 16)" -gt 20 ] || fail "the square game did not complete"
xdotool key --clearmodifiers ctrl+s
dialog=$(window_titled "Save Picture As") || fail "Ctrl+S opened no \"Save Picture As\" dialog"
sleep 0.5
shot 1-dialog

saved=$out/saved/worksheet.png
xdotool windowactivate --sync "$dialog" >/dev/null 2>&1 || true
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 40 "$saved"
xdotool key Return
for _ in $(seq 100); do [ -s "$saved" ] && break; sleep 0.1; done
[ -s "$saved" ] || fail "no file $saved after Enter in the dialog"
for _ in $(seq 50); do xdotool search --onlyvisible --name "^Save Picture As\$" >/dev/null 2>&1 || break; sleep 0.1; done
sleep 0.5
shot 2-saved

# A PNG of the canvas's interior...
read -r format size < <(identify -format "%m %wx%h\n" "$saved")
[ "$format" = PNG ] || fail "the file is $format, not PNG"
[ "$size" = 957x653 ] || fail "the picture is $size, not the canvas's 957x653"
# ...the very pixels the screen shows there...
convert "$out/2-saved.png" -crop "957x653+$canvas_x+$canvas_y" +repage "$out/2-canvas.png"
differing=$(compare -metric AE "$saved" "$out/2-canvas.png" null: 2>&1 || true)
[ "$differing" = 0 ] || fail "the file differs from the screen in $differing pixels"
# ...with the square's figure in it.
"$shotcheck" empty "$saved" 0 0 2>/dev/null && fail "the saved picture is empty"
background=$(convert "$saved" -format "%[pixel:p{1,1}]" info:)
drawn=$(convert "$saved" -fill white -opaque "$background" -negate -threshold 0 -format "%[fx:round(mean*w*h)]" info:)
[ "$drawn" -gt 20000 ] || fail "only $drawn pixels of the figure in the saved picture"
note "saved $size $format, $drawn pixels drawn, identical to the screen"

wmctrl -c "The Chaos Game"
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "the program did not end when closed"
echo "e2e-save: all checks passed"
