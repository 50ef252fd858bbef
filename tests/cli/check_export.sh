#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program's --export, with no display at all: it writes the
# picture asked for, the same one for the same seed, draws a deep view
# solid, refuses bad values, paths, named pipes and overflowing views with
# status 2, names the reason of a full disk (status 1), keeps a replaced
# picture's permissions, and leaves no file behind when it fails or is
# interrupted with Ctrl+C (status 130).
#
#   check_export.sh PROGRAM
set -uo pipefail
program=$1
fail() { echo "cli_export: FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

# Runs the program without any window system; sets $status.
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@" >out 2>err </dev/null
    status=$?
}
# Fails unless the folder holds exactly these files (besides out and err).
only_files() {
    local left
    left=$(ls -A | grep -vx -e out -e err | sort | xargs)
    [ "$left" = "$*" ] || fail "$context: the folder holds '$left', not '$*'"
}
# A PNG's width and height, from its header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", ($1*2^24)+($2*2^16)+($3*2^8)+$4, ($5*2^24)+($6*2^16)+($7*2^8)+$8 }'; }

context="a seeded export"
run --export one.png --preset carpet --colour --size 320x200 --dots 400000 --seed 7 --threads 2
[ "$status" -eq 0 ] || fail "$context exited with $status: $(cat err)"
[ "$(head -c 8 one.png | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "$context is no PNG"
[ "$(png_size one.png)" = 320x200 ] || fail "$context is $(png_size one.png), not 320x200"
[ ! -s out ] && [ ! -s err ] || fail "$context printed something off a terminal: $(cat out err)"
run --export two.png --preset carpet --colour --size 320x200 --dots 400000 --seed 7 --threads 1
cmp -s one.png two.png || fail "the same seed gave another picture"
run --export three.png --preset carpet --colour --size 320x200 --dots 400000 --seed 8
cmp -s one.png three.png && fail "another seed gave the same picture"
rm -f one.png two.png three.png

# The PNG's note of how it was made: the program, the seed and the command
# that remakes it, and the exploration, from which --exploration draws the
# same picture again, byte for byte.
png_text() {
    python3 - "$1" "$2" <<'PYTHON'
import struct, sys, zlib
data, wanted = open(sys.argv[1], "rb").read(), sys.argv[2]
at = 8
while at < len(data):
    length, kind = struct.unpack(">I4s", data[at:at + 8])
    body = data[at + 8:at + 8 + length]
    at += 12 + length
    key, _, rest = body.partition(b"\0")
    if key.decode("latin-1") != wanted:
        continue
    if kind == b"tEXt":
        print(rest.decode("latin-1"))
    elif kind == b"zTXt":
        print(zlib.decompress(rest[1:]).decode("latin-1"))
    elif kind == b"iTXt":
        compressed, _, rest = rest[0], rest[1], rest[2:]
        rest = rest.split(b"\0", 2)[2]
        print((zlib.decompress(rest) if compressed else rest).decode("utf-8"))
PYTHON
}
context="the picture's note"
run --export noted.png --corners 5 --ratio 2/3 --rule no-repeat --colour --size 200x150 --dots 100000 --seed 11
[ "$status" -eq 0 ] || fail "$context: the export exited with $status: $(cat err)"
[ "$(png_text noted.png Software)" = "The Chaos Game $("$program" --version | head -n 1 | sed 's/.* //')" ] \
    || fail "$context: Software is '$(png_text noted.png Software)'"
description=$(png_text noted.png Description)
grep -q "with seed 11\. " <<<"$description" || fail "$context: the description names no seed: $description"
png_text noted.png chaos | grep -q '; ratio = 2/3; ' || fail "$context: the exploration is not noted: $(png_text noted.png chaos)"
remake=$(sed -n 's/.*: chaos-game \(--exploration THIS.png --export AGAIN.png .*\)$/\1/p' <<<"$description")
[ -n "$remake" ] || fail "$context: the description holds no command: $description"
# shellcheck disable=SC2086
run ${remake//THIS.png/noted.png}
[ "$status" -eq 0 ] || fail "$context: remaking exited with $status: $(cat err)"
cmp -s noted.png AGAIN.png || fail "$context: the note did not remake the same picture"
rm -f noted.png AGAIN.png

# '--export -' is refused: the picture goes to a named file only.
context="'--export -'"
run --export - --dots 1000
[ "$status" -eq 2 ] && grep -q "^chaos-game: '--export' writes a picture file and needs its name" err \
    || fail "$context: status $status, $(cat err)"
[ ! -s out ] || fail "$context wrote to standard output"
only_files

context="JPEG and BMP by the extension"
run --export a.jpg --size 64x48 --dots 20000 && run --export a.bmp --size 64x48 --dots 20000
[ "$(head -c 3 a.jpg | od -An -tx1 | tr -d ' ')" = ffd8ff ] || fail "a.jpg is no JPEG"
[ "$(head -c 2 a.bmp)" = BM ] || fail "a.bmp is no BMP"
rm -f a.jpg a.bmp

# Bad values and paths: status 2, a message naming the value, no file.
for bad in "--corners 2" "--ratio 1.5" "--size 0x0" "--preset blob" "--rule sideways"; do
    context="'$bad'"
    # shellcheck disable=SC2086
    run --export bad.png $bad
    [ "$status" -eq 2 ] || fail "$context exited with $status, not 2"
    grep -q "^chaos-game: .*'${bad#* }'" err || fail "$context gave no message naming the value: $(cat err)"
    only_files
done
context="a folder that does not exist"
run --export missing/figure.png --dots 1000
[ "$status" -eq 2 ] && grep -q "^chaos-game: Cannot write the picture to 'missing/figure.png'" err \
    || fail "$context: status $status, $(cat err)"
only_files
context="a path through a file"
touch plain
run --export plain/figure.png --dots 1000
[ "$status" -eq 2 ] || fail "$context: status $status, $(cat err)"
only_files plain
rm -f plain

# A deep view: the carpet 2e-4 of its width across at its lower left corner,
# a point of it at every depth, is the carpet again, half of it dark (as a
# 16-colour BMP: two pixels a byte, colour 0 the white background).
context="a deep view"
printf 'corners = 4\nmidpoints = yes\nratio = 2/3\nview = %s\n' \
    "-0.70710678118654746 -0.70690678118654746 -0.70690678118654746 -0.70710678118654746" >deep.chaos
run --export deep.bmp --exploration deep.chaos --size 200x200 --dots 400000 --seed 1
[ "$status" -eq 0 ] || fail "$context exited with $status: $(cat err)"
pixels_at=$(od -An -tu4 -j10 -N4 deep.bmp | tr -d ' ')
dark=$(tail -c +$((pixels_at + 1)) deep.bmp | od -An -v -tu1 \
    | awk '{ for (i = 1; i <= NF; ++i) dark += ($i >= 16) + ($i % 16 != 0) } END { print dark + 0 }')
[ "$dark" -gt 16000 ] && [ "$dark" -lt 28000 ] || fail "$context has $dark dark pixels of 40000"
rm -f deep.chaos deep.bmp

# A file that is no ordinary file, and a view that overflows, are refused at
# once with status 2: a named pipe is not waited on.
context="a named pipe as the exploration"
mkfifo pipe.chaos
SECONDS=0
run --export pipe.png --exploration pipe.chaos --dots 1000
[ "$status" -eq 2 ] && [ "$SECONDS" -lt 5 ] \
    && grep -q "^chaos-game: Cannot read pipe.chaos: it is not an ordinary file" err \
    || fail "$context: status $status after ${SECONDS}s: $(cat err)"
rm -f pipe.chaos
only_files
context="an overflowing view"
printf 'corners = 5\nview = -1e308 1e308 1e308 -1e308\n' >huge.chaos
run --export huge.png --exploration huge.chaos --dots 1000
[ "$status" -eq 2 ] && grep -q "huge.chaos: Line 2 (\"view = -1e308 1e308 1e308 -1e308\"): " err \
    || fail "$context: status $status: $(cat err)"
rm -f huge.chaos
only_files

# A disk that fills up while the picture is written: status 1, the system's
# reason in the message, no stray line of the image library, no file. The
# file-size limit stands in for a full disk; a small tmpfs is the real one,
# where it can be mounted.
context="a file-size limit"
(ulimit -f 16; trap '' XFSZ; run --export big.png --size 1500x1500 --dots 200000; echo "$status" >status)
status=$(cat status); rm -f status
[ "$status" -eq 1 ] && [ "$(cat err)" = "chaos-game: Could not write the picture to 'big.png': File too large" ] \
    || fail "$context: status $status: $(cat err)"
only_files
if mkdir full && mount -t tmpfs -o size=64k tmpfs full 2>/dev/null; then
    context="a full disk"
    run --export full/big.png --preset square --size 1000x1000 --dots 400000
    umount full
    [ "$status" -eq 1 ] \
        && [ "$(cat err)" = "chaos-game: Could not write the picture to 'full/big.png': No space left on device" ] \
        || fail "$context: status $status: $(cat err)"
fi
rmdir full 2>/dev/null

# A picture written over a read-only one stays read-only (for root, who may
# replace it), and one with other permissions keeps them.
context="replacing a picture"
run --export kept.png --size 40x40 --dots 1000
for mode in 444 640; do
    chmod "$mode" kept.png
    run --export kept.png --size 40x40 --dots 2000
    if [ "$status" -eq 0 ]; then
        [ "$(stat -c %a kept.png)" = "$mode" ] || fail "$context of mode $mode left $(stat -c %a kept.png)"
    else
        [ "$mode" = 444 ] && [ "$(id -u)" -ne 0 ] || fail "$context of mode $mode: status $status: $(cat err)"
    fi
done
rm -f kept.png

# Ctrl+C while a long export draws: status 130, and neither the picture nor
# its temporary file is left.
context="an interrupted export"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --export poster.png --size 2000x2000 \
    --dots 1e12 >out 2>err </dev/null &
pid=$!
sleep 1
kill -INT "$pid"
wait "$pid"
status=$?
[ "$status" -eq 130 ] && grep -q "^chaos-game: Interrupted: no picture written.$" err \
    || fail "$context exited with $status: $(cat err)"
only_files
echo "cli_export: pictures written as asked, the same for the same seed; bad values, bad paths and Ctrl+C leave no file"
