#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that two builds of the same sources in different folders, with the
# same options and SOURCE_DATE_EPOCH, give the same program (stripped, as it
# is installed) and the same Debian package, byte for byte. On a difference,
# names the files of the packages that differ.
#
#   check_reproducible.sh BUILD_DIR OTHER_BUILD_DIR
set -euo pipefail
first=$1
second=$2
fail() { echo "reproducible: FAIL: $*" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

strip -o "$scratch/first" "$first/chaos-game"
strip -o "$scratch/second" "$second/chaos-game"
cmp -s "$scratch/first" "$scratch/second" \
    || fail "$first/chaos-game and $second/chaos-game differ: $(cmp "$scratch/first" "$scratch/second" || true)"

debs=("$first"/chaos-game_*.deb "$second"/chaos-game_*.deb)
[ "${#debs[@]}" -eq 2 ] && [ -f "${debs[0]}" ] && [ -f "${debs[1]}" ] || fail "each folder must hold one package"
if ! cmp -s "${debs[0]}" "${debs[1]}"; then
    for side in 0 1; do
        mkdir -p "$scratch/$side"
        dpkg-deb -R "${debs[$side]}" "$scratch/$side"
        dpkg-deb -c "${debs[$side]}" | awk '{ print $1, $2, $4, $5, $6 }' >"$scratch/$side.list"
    done
    diff -r "$scratch/0" "$scratch/1" >&2 || true
    diff "$scratch/0.list" "$scratch/1.list" >&2 || true
    fail "${debs[0]} and ${debs[1]} differ"
fi
echo "reproducible: the program and $(basename "${debs[0]}") are the same from both build folders"
