#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that a built program carries the hardening of Linux builds: a
# position-independent executable, full RELRO (read-only relocations,
# resolved at start), the stack protector and the checked (_chk) variants
# of the C library's string and output functions.
#
#   check_hardening.sh PROGRAM
set -euo pipefail
program=$1
fail() { echo "hardening: FAIL: $program: $*" >&2; exit 1; }

grep -Eq '^ +Type: +DYN ' <<<"$(readelf -h "$program")" || fail "not a position-independent executable"
grep -q 'GNU_RELRO' <<<"$(readelf -lW "$program")" || fail "no RELRO segment"
grep -Eq '\(BIND_NOW\)|\(FLAGS\).*BIND_NOW|\(FLAGS_1\).*NOW' <<<"$(readelf -dW "$program")" \
    || fail "relocations are not resolved at start (no BIND_NOW)"

symbols=$(readelf --dyn-syms -W "$program")
grep -Eq ' __stack_chk_fail(@|$)' <<<"$symbols" || fail "no stack protector (__stack_chk_fail)"
checked=$(grep -oE ' __[a-z0-9_]+_chk(@|$)' <<<"$symbols" | tr -d ' @' | sort -u | tr '\n' ' ' || true)
[ -n "$checked" ] || fail "no checked C library functions (_FORTIFY_SOURCE)"
echo "hardening: $(basename "$program"): PIE, full RELRO, stack protector, fortified: $checked"
