#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows program under Wine, on Xvfb with openbox, driven like a user:
# its command line through a pipe, in a console and in a message box, a
# path in letters outside the ANSI code page, the
# start-up window and a click on it, the main window with its seven buttons,
# the square game to "Complete", Save Picture As to a PNG and to a JPEG that
# hold the canvas as the screen shows it, and Quit with exit status 0.
# Checked on screenshots, as on Linux.
#
#   run_e2e_wine.sh PROGRAM.exe SHOTCHECK OUT_DIR
#
# A fresh Wine prefix in OUT_DIR each run (some 15 s), so that nothing of an
# earlier run (settings, the last folder saved in) carries over.
set -euo pipefail
exe=$(realpath "$1")
shotcheck=$2
out=$(realpath -m "$3")
rm -rf "$out"
mkdir -p "$out/saved"

fail() { echo "e2e-wine: FAIL: $*" >&2; [ -s "$out/program.log" ] && tail -n 20 "$out/program.log" >&2; exit 1; }
note() { echo "e2e-wine: $*"; }
source "$(dirname "$0")/../xsession.sh"

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
[ -x "$wine" ] || fail "no wine64"
# No debug chatter, no offer to install Mono or Gecko, which would wait for
# an answer, and never anything read from the terminal.
export WINEPREFIX=$out/wineprefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
run_wine() { "$wine" "$@" </dev/null; }
# Ends this test's Wine processes with the test.
trap 'cleanup; "$(dirname "$wine")/wineserver" -k 2>/dev/null || true' EXIT

# --- The prefix, and the command line, with no display -----------------------
started=$SECONDS
run_wine wineboot --init >"$out/wineboot.log" 2>&1 || { cat "$out/wineboot.log" >&2; fail "wineboot failed"; }
"$(dirname "$wine")/wineserver" --wait
note "the Wine prefix took $((SECONDS - started)) s"

version_text=$(run_wine "$exe" --version | tr -d '\r') || fail "--version did not exit with status 0"
grep -Eq "^The Chaos Game [0-9]+\.[0-9]+\.[0-9]+$" <<<"$(head -n 1 <<<"$version_text")" \
    || fail "--version printed: $version_text"
help_text=$(run_wine "$exe" --help | tr -d '\r') || fail "--help did not exit with status 0"
grep -q "^Usage: chaos-game.exe \[options\]" <<<"$help_text" || fail "--help printed: $help_text"
status=0
run_wine "$exe" --no-such-option >/dev/null 2>"$out/refused.txt" || status=$?
[ "$status" -eq 2 ] || fail "an unknown option ended with status $status, not 2"
grep -q "Unknown option 'no-such-option'" "$out/refused.txt" || fail "an unknown option was refused without saying so"
# Typed at a command prompt, the answer shows in its console (here a
# terminal, through `script`), though the program is a GUI one.
script -q -e -c "$wine cmd /c 'start /wait /b $(run_wine winepath -w "$exe" 2>/dev/null | tr -d '\r') --version'" \
    "$out/console.txt" </dev/null >/dev/null || fail "--version at a command prompt failed"
grep -q "^The Chaos Game [0-9.]*"$'\r'"*\$" <(tr -d '\033' <"$out/console.txt" | sed 's/\[?25[lh]//g') \
    || fail "--version showed nothing in the console: $(cat -v "$out/console.txt")"
note "command line: $(head -n 1 <<<"$version_text"), through a pipe and in a console"
# A batch file waits for the GUI program and sees its exit status.
exe_windows=$(run_wine winepath -w "$exe" 2>/dev/null | tr -d '\r')
printf '@"%s" --no-such-option 2>nul\r\n@echo status %%ERRORLEVEL%%\r\n' "$exe_windows" > "$out/status.bat"
# The batch file ends with the program's status (echo keeps %ERRORLEVEL%),
# which cmd passes on: not a failure of the test.
batch=$(run_wine cmd /c "$(run_wine winepath -w "$out/status.bat" 2>/dev/null | tr -d '\r')" 2>/dev/null \
        | tr -d '\r' || true)
grep -qx "status 2" <<<"$batch" || fail "a batch file saw '$batch' for an unknown option, not 'status 2'"
note "command line: a batch file sees exit status 2 in %ERRORLEVEL%"
# A path in letters outside the ANSI code page (Greek, under Wine's
# English one) reaches the program whole: an exploration read from it and
# a picture written to it.
greek=$out/σχήμα
mkdir -p "$greek"
printf 'format = 1\ncorners = 7\n' > "$greek/σχήμα.chaos"
greek_windows=$(LC_ALL=C.UTF-8 run_wine winepath -w "$greek" 2>/dev/null | tr -d '\r')
status=0
LC_ALL=C.UTF-8 run_wine "$exe" --exploration "$greek_windows\\σχήμα.chaos" --export "$greek_windows\\σχήμα.png" \
    --size 64x48 --dots 20000 --seed 1 >/dev/null 2>"$out/greek.txt" || status=$?
[ "$status" -eq 0 ] || fail "a Greek path ended with status $status: $(cat "$out/greek.txt")"
[ "$(head -c 8 "$greek/σχήμα.png" 2>/dev/null | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] \
    || fail "no picture at the Greek path: $(ls "$greek")"
note "command line: a Greek path read and written ($greek_windows)"
# Wine's desktop process, started above without a display, would keep the
# windows off the screen: a new Wine session for them.
"$(dirname "$wine")/wineserver" --kill 2>/dev/null || true
"$(dirname "$wine")/wineserver" --wait

# --- The windows ------------------------------------------------------------
start_x_session
# Qt on Windows has one platform, its own; Linux settings must not reach it.
unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI

shot() { import -window root "$out/$1.png"; }
# "X Y WIDTH HEIGHT" of a window's client area on the screen.
client_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                             /^  Width:/ {w=$NF} /^  Height:/ {h=$NF} END {print x, y, w, h}'
}
# The visible window of this size of process $2, given Wine a minute to
# start; prints its id.
wine_window_sized() {
    for _ in $(seq 6); do window_sized "$@" && return 0; done
    return 1
}

started=$SECONDS
"$wine" "$exe" </dev/null >"$out/program.log" 2>&1 &
app=$!
pids+=($app)
splash=$(wine_window_sized 535x338 "$app") || fail "the start-up window did not open"
note "the start-up window opened after $((SECONDS - started)) s"
sleep 1
read -r sx sy sw sh < <(client_geometry "$splash")
[ "$sx" -ge 243 ] && [ "$sx" -le 246 ] && [ "$sy" -ge 213 ] && [ "$sy" -le 216 ] \
    || fail "the start-up window is not centred: $sx, $sy"
shot 0-splash
"$shotcheck" splash "$out/0-splash.png" "$sx" "$sy" || fail "the start-up window looks wrong"

# A click on the start-up window opens the main window, maximised.
xdotool mousemove $((sx + sw / 2)) $((sy + sh / 2)) click 1
main=""
for _ in $(seq 300); do
    main=$(xdotool search --onlyvisible --name "^The Chaos Game\$" 2>/dev/null | grep -vx "$splash" | head -n 1 || true)
    [ -n "$main" ] && break
    sleep 0.1
done
[ -n "$main" ] || fail "the main window did not open"
for _ in $(seq 100); do
    read -r cx cy cw ch < <(client_geometry "$main")
    [ "$cw" -eq 1024 ] && break
    sleep 0.1
done
[ "$cw" -eq 1024 ] || fail "the main window is not maximised: ${cw}x$ch"
sleep 1
read -r cx cy cw ch < <(client_geometry "$main")
shot 1-opened
# The seven buttons where the layout puts them, each caption whole.
"$shotcheck" buttons "$out/1-opened.png" "$cx" "$cy" "$cw" "$ch" 1 || fail "the buttons are wrong"
read -r il it iw ih _ < <("$shotcheck" layout "$cw" "$ch" 1)
canvas_x=$((cx + il))
canvas_y=$((cy + it))
[ "${iw}x$ih" = 957x653 ] || fail "the layout puts a ${iw}x$ih canvas in a ${cw}x$ch client area"
"$shotcheck" empty "$out/1-opened.png" "$canvas_x" "$canvas_y" || fail "the canvas is not empty at start"
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true

# The square game, until "Complete" shows at (330, 30).
xdotool key --clearmodifiers alt+s
for _ in $(seq 200); do
    [ "$(drawn_on_screen 310 620 80 16)" -gt 20 ] && break
    sleep 0.1
done
[ "$(drawn_on_screen 310 620 80 16)" -gt 20 ] || fail "the square game did not complete"
sleep 0.5
shot 2-square

# Save Picture As: Ctrl+S, the file's type chosen ($2 times Down in the
# list of types, PNG first), the file name typed over the suggested one,
# Enter. Typed as a Windows path; Wine shows the machine's root as drive Z:.
save_as() {
    local file=$1 type_downs=$2
    xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
    xdotool key --clearmodifiers ctrl+s
    local dialog
    dialog=$(window_titled "Save Picture As") || fail "Ctrl+S opened no \"Save Picture As\" dialog"
    sleep 1
    xdotool windowactivate --sync "$dialog" >/dev/null 2>&1 || true
    if [ "$type_downs" -gt 0 ]; then
        xdotool key Tab
        for _ in $(seq "$type_downs"); do xdotool key Down; done
        xdotool key shift+Tab
    fi
    xdotool key End shift+Home
    xdotool type --delay 40 "$(run_wine winepath -w "$file" 2>/dev/null | tr -d '\r')"
    shot "3-dialog-${file##*.}"
    xdotool key Return
    for _ in $(seq 100); do [ -s "$file" ] && break; sleep 0.1; done
    [ -s "$file" ] || fail "no file $file after Enter in the dialog"
    for _ in $(seq 50); do xdotool search --onlyvisible --name "^Save Picture As\$" >/dev/null 2>&1 || break; sleep 0.1; done
    sleep 1
}

saved=$out/saved/worksheet.png
save_as "$saved" 0
shot 4-saved
# A PNG of the canvas's interior, the very pixels the screen shows there,
# with the square's figure in it.
read -r format size < <(identify -format "%m %wx%h\n" "$saved")
[ "$format" = PNG ] || fail "the file is $format, not PNG"
[ "$size" = 957x653 ] || fail "the picture is $size, not the canvas's 957x653"
convert "$out/4-saved.png" -crop "957x653+$canvas_x+$canvas_y" +repage "$out/4-canvas.png"
differing=$(compare -metric AE "$saved" "$out/4-canvas.png" null: 2>&1 || true)
[ "$differing" = 0 ] || fail "the file differs from the screen in $differing pixels"
background=$(convert "$saved" -format "%[pixel:p{1,1}]" info:)
drawn=$(convert "$saved" -fill white -opaque "$background" -negate -threshold 0 -format "%[fx:round(mean*w*h)]" info:)
[ "$drawn" -gt 20000 ] || fail "only $drawn pixels of the figure in the saved picture"
note "saved $size $format, $drawn pixels drawn, identical to the screen"

# The same as a JPEG, its type chosen in the dialog: the image format
# plugin is linked into the program.
jpeg=$out/saved/worksheet.jpg
save_as "$jpeg" 1
read -r format size < <(identify -format "%m %wx%h\n" "$jpeg")
[ "$format" = JPEG ] && [ "$size" = 957x653 ] || fail "the .jpg file is $format $size, not a 957x653 JPEG"
# Lossy, but close to the PNG.
error=$(compare -metric RMSE "$saved" "$jpeg" null: 2>&1 | sed 's/.*(\(.*\))/\1/' || true)
awk -v e="$error" 'BEGIN { exit !(e < 0.1) }' || fail "the JPEG differs from the PNG by $error"
note "saved $size $format too"

# Started with no console and no file to write to, as from a shortcut:
# the answer in a message box, closed with Enter.
"$wine" "$exe" --version </dev/null >/dev/null 2>&1 &
box_app=$!
pids+=($box_app)
box=""
for _ in $(seq 300); do
    box=$(xdotool search --all --onlyvisible --pid "$box_app" --name "^The Chaos Game\$" 2>/dev/null | head -n 1 || true)
    [ -n "$box" ] && break
    sleep 0.1
done
[ -n "$box" ] || fail "--version with no console showed no message box"
sleep 1
shot 5-version-box
xdotool windowactivate --sync "$box" >/dev/null 2>&1 || true
xdotool key Return
for _ in $(seq 100); do kill -0 "$box_app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$box_app" 2>/dev/null && fail "the message box did not close with Enter"
status=0
wait "$box_app" || status=$?
[ "$status" -eq 0 ] || fail "--version in a message box ended with status $status"

# Quit (Alt+Q) ends the program with status 0.
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
xdotool key --clearmodifiers alt+q
for _ in $(seq 300); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "the program did not end after Alt+Q"
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
# The prefix (some 700 MB) is kept only when a check failed, to look into.
"$(dirname "$wine")/wineserver" -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
echo "e2e-wine: all checks passed"
