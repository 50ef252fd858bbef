#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that a built program carries the hardening of Linux builds: a
# position-independent executable, full RELRO (read-only relocations,
# resolved at start), the stack protector, the checked (_chk) variants
# of the C library's string and output functions, and on x86-64 the landing
# pads of control-flow protection (endbr64; the C library's start files of
# Debian 12 lack them, so the program as a whole is not marked). Stack clash
# probes leave no trace in a program without large or variable frames.
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
cet=""
if grep -Eq '^ +Machine: +Advanced Micro Devices X86-64' <<<"$(readelf -h "$program")"; then
    pads=$(objdump -d --no-show-raw-insn "$program" | grep -c $'\tendbr64' || true)
    [ "$pads" -ge 100 ] || fail "only $pads indirect branch landing pads (-fcf-protection)"
    cet=", $pads endbr64 landing pads"
fi
echo "hardening: $(basename "$program"): PIE, full RELRO, stack protector$cet, fortified: $checked"
