#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The canvas through a screen reader's eyes: the real program under Xvfb on a
# private session bus with the AT-SPI accessibility bus, read with AT-SPI as
# Orca reads it. Explanation page one, then the square game: the canvas's text
# is the page, then "Complete", and each mode's end sends one change.
#
#   run_e2e_screenreader.sh PROGRAM OUT_DIR
set -euo pipefail
# A session bus of its own, ended with the test.
if [ -z "${CHAOS_PRIVATE_SESSION_BUS:-}" ]; then
    CHAOS_PRIVATE_SESSION_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
program=$1
out=$2
rm -rf "$out"
mkdir -p "$out"
here=$(dirname "$0")
# Debian's python3-dbus and python3-gi belong to the system's interpreter.
python=/usr/bin/python3

fail() { echo "e2e-screenreader: FAIL: $*" >&2; exit 1; }
note() { echo "e2e-screenreader: $*"; }
source "$here/xsession.sh"
start_x_session

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$out/atspi.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
    sleep 0.1
done
"$python" "$here/atspi_canvas.py" listen 60 >"$out/changes.log" 2>"$out/listener.log" &
pids+=($!)
for _ in $(seq 50); do grep -q listening "$out/changes.log" 2>/dev/null && break; sleep 0.1; done
grep -q listening "$out/changes.log" || { cat "$out/listener.log" >&2; fail "the AT-SPI listener did not start"; }

canvas_text() { "$python" "$here/atspi_canvas.py" text 2>>"$out/listener.log" || true; }
# Waits until the canvas's text, as read through AT-SPI, is exactly $1.
wait_for_text() {
    for _ in $(seq 100); do [ "$(canvas_text)" = "$1" ] && return 0; sleep 0.1; done
    return 1
}

# Qt serves AT-SPI when asked to, as it does when a screen reader runs.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >"$out/program.log" 2>&1 &
app=$!
pids+=($app)
splash=$(window_sized 535x338 "$app") || fail "the start-up window did not open"
sleep 0.5
main=$(begin_from_splash "$splash" "$app") || fail "the main window did not open"
sleep 0.5
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
wait_for_text "" || fail "the empty canvas reads as: $(canvas_text)"

# Page one reads as its lines, in order.
xdotool key --clearmodifiers alt+e
for _ in $(seq 100); do canvas_text | grep -q "^Dynamical" && break; sleep 0.1; done
canvas_text >"$out/page-one.txt"
[ "$(sed -n 2p "$out/page-one.txt")" = "The Chaos Game" ] || fail "page one's title is not its second line"
grep -qx "“High order can arise from repeating a simple rule combined with a random factor.”" "$out/page-one.txt" \
    || fail "page one lacks its quotation"
grep -qx "These systems are called  deterministic non-linear dynamical systems." "$out/page-one.txt" \
    || fail "page one's bold and italic line is not read as one line"
[ "$(grep -n "^The Chaos Game demonstrates" "$out/page-one.txt" | cut -d: -f1)" -lt \
  "$(grep -n "^Dynamical" "$out/page-one.txt" | cut -d: -f1)" ] || fail "page one's lines are out of order"

# The square game: "Complete" replaces the page.
xdotool key --clearmodifiers alt+s
wait_for_text "Complete" || fail "after the square game the canvas reads as: $(canvas_text)"
sleep 0.5

# One change per mode: the page inserted; the page deleted and "Complete" inserted.
inserts=$(grep -c "^insert " "$out/changes.log" || true)
[ "$inserts" = 2 ] || fail "$inserts text insertions announced, not one per mode: $(cat "$out/changes.log")"
grep -q "^insert 0 [0-9]* \\\\nThe Chaos Game\\\\n" "$out/changes.log" || fail "page one was not announced"
grep -qx "insert 0 8 Complete" "$out/changes.log" || fail "\"Complete\" was not announced"
note "page one read as $(wc -l <"$out/page-one.txt") lines; $(grep -c . "$out/changes.log") changes announced"

wmctrl -c "The Chaos Game"
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
echo "e2e-screenreader: all checks passed"
