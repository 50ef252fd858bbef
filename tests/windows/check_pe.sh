#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Windows executable itself, as Windows will load it: a 64-bit
# GUI program (no console window), relocatable and with no executable data
# (ASLR, DEP), importing only DLLs that every Windows has (Qt, the C++
# runtime and the threads library are linked in), with its icon and a
# version resource that carries the project's version.
#
#   check_pe.sh PROGRAM.exe VERSION
set -euo pipefail
exe=$1
version=$2

fail() { echo "pe: FAIL: $*" >&2; exit 1; }
headers=$(x86_64-w64-mingw32-objdump -p "$exe")

grep -q "file format pei-x86-64" <<<"$headers" || fail "$exe is not a 64-bit Windows executable"
grep -Eq "^Subsystem[[:space:]]+0+2[[:space:]]" <<<"$headers" || fail "the subsystem is not the Windows GUI (2)"
for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
    grep -A6 "^DllCharacteristics" <<<"$headers" | grep -q "$flag" || fail "no $flag in DllCharacteristics"
done

# The DLLs Windows itself provides, in System32, that Qt's Windows platform
# plugin and the MinGW runtime use.
system_dlls="advapi32 comdlg32 d3d9 d3d11 d3d12 dwmapi dxgi gdi32 imm32 kernel32 msvcrt ole32 oleaut32
             setupapi shcore shell32 shlwapi user32 userenv uxtheme version winmm winspool.drv
             wtsapi32 dwrite authz netapi32 mpr ws2_32 bcrypt comctl32 crypt32 ntdll"
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
[ -n "$imports" ] || fail "no DLL imports found"
for dll in $imports; do
    name=${dll%.dll}
    case " $(echo $system_dlls) " in
        *" $name "*) ;;
        *) case "$name" in api-ms-win-*) ;; *) fail "imports $dll, which Windows does not provide" ;; esac ;;
    esac
done

# The resources: the icon, and the version both as numbers and as text.
resources=$(x86_64-w64-mingw32-windres --input-format=coff -i "$exe" -O rc 2>/dev/null) \
    || fail "the resources cannot be read"
grep -q "ICON" <<<"$resources" || fail "no icon in the resources"
IFS=. read -r major minor patch <<<"$version"
grep -Eq "FILEVERSION +$major, *$minor, *$patch, *0" <<<"$resources" || fail "FILEVERSION is not $version"
grep -Eq "PRODUCTVERSION +$major, *$minor, *$patch, *0" <<<"$resources" || fail "PRODUCTVERSION is not $version"
grep -q "VALUE \"FileVersion\", \"$version\"" <<<"$resources" || fail "the version text is not $version"
grep -q "VALUE \"ProductVersion\", \"$version\"" <<<"$resources" || fail "the product version text is not $version"

echo "pe: 64-bit GUI executable, imports only $(echo $imports | wc -w) Windows DLLs ($(echo $imports)), version $version"
