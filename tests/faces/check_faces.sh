#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that the program looks the same with the system's Liberation Sans
# as with the copy it can carry: every text measures the same width.
#
#   check_faces.sh MEASURETEXTS SYSTEM_FONTS_FOLDER CARRIED_FONTS_FOLDER
set -euo pipefail
measure=$1
system=$2
carried=$3
fail() { echo "faces: FAIL: $*" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export QT_QPA_PLATFORM=offscreen

for file in "$carried"/LiberationSans-{Regular,Bold,Italic,BoldItalic}.ttf; do
    [ -s "$system/$(basename "$file")" ] || fail "the system has no $system/$(basename "$file")"
done
"$measure" "$system" >"$scratch/system.txt" || fail "could not measure with the system's faces"
"$measure" "$carried" >"$scratch/carried.txt" || fail "could not measure with the carried faces"

for run in system carried; do
    faces=$(grep -c '^face Liberation Sans .* from the folder$' "$scratch/$run.txt" || true)
    [ "$faces" -eq 28 ] || fail "the $run faces answered $faces of 28 times:
$(grep '^face ' "$scratch/$run.txt" | grep -v 'from the folder$' | head -n 3)"
done
if ! cmp -s "$scratch/system.txt" "$scratch/carried.txt"; then
    diff "$scratch/system.txt" "$scratch/carried.txt" | head -n 6 | cut -c 1-200 >&2
    fail "texts measure differently in the system's Liberation Sans than in the carried one"
fi
echo "faces: every text measures the same in $system as in the carried faces"
