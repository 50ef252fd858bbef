#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Windows zip as a school that hands it on would need it: the
# program with its README, the program's source (a tarball that builds),
# SOURCE.txt with the written offer, Qt's source and configure options and
# how to relink, the licence notices of everything linked in (winpthreads
# included), no licence text that does not apply, and Qt's source package
# beside the zip.
#
#   check_zip.sh ZIP
set -euo pipefail
zip=$1
fail() { echo "zip: FAIL: $*" >&2; exit 1; }
listing=$(python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$zip")
# A file's text out of the zip, with Windows' line ends taken off.
text_of() {
    python3 -c 'import sys, zipfile; sys.stdout.write(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]).decode("utf-8"))' \
        "$zip" "$1" | tr -d '\r'
}
top=$(head -n 1 <<<"$listing" | cut -d/ -f1)
version=${top#chaos-game-}
version=${version%-windows-x64}
for needed in chaos-game.exe README.txt LICENSE.txt SOURCE.txt "chaos-game-$version-source.tar.gz" \
              "Qt licences/README-Qt.txt" "Qt licences/LGPL-3.0-only.txt" "Qt licences/GPL-3.0-only.txt" \
              "Runtime licences/README-runtime.txt" "Runtime licences/winpthreads - notice.txt" \
              "Runtime licences/MinGW-w64 runtime - copyright.txt" "Runtime licences/GCC runtime - copyright.txt"; do
    grep -qxF "$top/$needed" <<<"$listing" || fail "the zip lacks $needed"
done
for needless in LicenseRef-Qt-Commercial GPL-2.0-only Qt-GPL-exception; do
    ! grep -q "$needless" <<<"$listing" || fail "the zip carries a licence that does not apply: $needless"
done

source_text=$(text_of "$top/SOURCE.txt")
for needed in "chaos-game-$version-source.tar.gz" "qt6-base" "-static" "CHAOS_WINDOWS_QT=" "Written offer" \
              "For three years" "winpthreads"; do
    grep -qF -- "$needed" <<<"$source_text" || fail "SOURCE.txt does not say '$needed'"
done
! grep -q "@[A-Z_]*@" <<<"$source_text" || fail "SOURCE.txt has a blank left: $(grep "@[A-Z_]*@" <<<"$source_text")"
grep -q "^Copyright (c) 2011-2016 mingw-w64 project$" <<<"$(text_of "$top/Runtime licences/winpthreads - notice.txt")" \
    || fail "the winpthreads notice lacks its copyright line"
grep -q "Permission is hereby granted, free of charge" \
    <<<"$(text_of "$top/Runtime licences/winpthreads - notice.txt")" || fail "the winpthreads notice lacks its licence"
readme=$(text_of "$top/README.txt")
for needed in "Chaos Explorer" "--export" "F1" "F11" "Ctrl+E" "Open with" "%ERRORLEVEL%" "SOURCE.txt" "Alt+T"; do
    grep -qF -- "$needed" <<<"$readme" || fail "README.txt does not mention $needed"
done

# The source tarball is the project's, whole enough to build from.
python3 - "$zip" "$top/chaos-game-$version-source.tar.gz" "chaos-game-$version" <<'PYTHON' || fail "the source tarball is incomplete"
import io, sys, tarfile, zipfile
names = tarfile.open(fileobj=io.BytesIO(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]))).getnames()
for needed in ("CMakeLists.txt", "LICENSE", "app/main.cpp", "scripts/build-windows.sh", "scripts/windows-qt.sh"):
    if f"{sys.argv[3]}/{needed}" not in names:
        sys.exit(f"no {needed} in the source tarball")
PYTHON
folder=$(dirname "$zip")
for part in dsc orig.tar.xz debian.tar.xz; do
    compgen -G "$folder/qt6-base_*.$part" >/dev/null || fail "no qt6-base_*.$part beside the zip"
done
echo "zip: $(basename "$zip") holds the program, its source, SOURCE.txt with the offer, and every notice"
