#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the real program's command line with no display at all, as from a
# text console: --help and --version print and exit 0, an unknown option or
# argument is refused with a message and exit status 2; the toolkit's own
# options are left for it.
#
#   check_cli.sh PROGRAM VERSION
set -uo pipefail
program=$1
version=$2
fail() { echo "cli: FAIL: $*" >&2; exit 1; }
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

# Runs the program without any window system; sets $status.
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@" >"$out" 2>"$err" </dev/null
    status=$?
}

run --help
[ "$status" -eq 0 ] || fail "--help exited with $status: $(cat "$err")"
head -n 1 "$out" | grep -qx "Usage: chaos-game \[options\] \[FILE.chaos\]" || fail "--help printed: $(head -n 3 "$out")"
grep -q -- "--version" "$out" || fail "--help does not list --version"
[ ! -s "$err" ] || fail "--help wrote to standard error: $(cat "$err")"

run --help-all
[ "$status" -eq 0 ] && grep -q -- "--platform <name\[:options\]>" "$out" || fail "--help-all does not list -platform"

run --version
[ "$status" -eq 0 ] || fail "--version exited with $status: $(cat "$err")"
head -n 1 "$out" | grep -qx "The Chaos Game $version" || fail "--version printed: $(head -n 1 "$out")"

for unknown in --bogus -x extra; do
    run -style Fusion "$unknown"
    [ "$status" -eq 2 ] || fail "'$unknown' exited with $status, not 2"
    [ ! -s "$out" ] || fail "'$unknown' wrote to standard output"
    grep -q "^chaos-game: " "$err" && grep -q "Try 'chaos-game --help'" "$err" \
        || fail "'$unknown' gave no clear message: $(cat "$err")"
done
grep -qx "chaos-game: Unexpected argument 'extra'." "$err" || fail "the message was: $(cat "$err")"

# The toolkit's own options reach QApplication: on the offscreen platform
# the program starts without a display, and is still running when stopped.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 3 "$program" -platform offscreen -style Fusion \
    >"$out" 2>"$err" </dev/null
status=$?
[ "$status" -eq 124 ] || fail "with -platform offscreen the program ended with $status: $(cat "$err")"

# An answer that cannot be written (standard output on a full disk) is no
# success: status 1, and standard error says why.
if [ -w /dev/full ]; then
    for option in --help --version; do
        env -u DISPLAY "$program" "$option" >/dev/full 2>"$err" </dev/null
        status=$?
        [ "$status" -eq 1 ] || fail "'$option' to a full device exited with $status, not 1"
        grep -qx "chaos-game: the answer could not be written: No space left on device" "$err" \
            || fail "'$option' to a full device said: $(cat "$err")"
    done
fi
echo "cli: --help, --version and unknown options answered without a display"

