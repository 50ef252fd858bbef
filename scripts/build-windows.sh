#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds the portable Windows program on this Debian machine, installing
# what is missing first: one statically linked 64-bit chaos-game.exe and a zip
# to hand out, both in build/windows/.
#
# The first run also builds Qt for Windows as static libraries (15 to 30
# minutes on two cores) into a cache folder outside the work tree, which
# later runs reuse: /var/cache/chaos-game/qt-<version>-mingw64-static, or
# CHAOS_WINDOWS_QT. The zip carries the program's source (the commit it is
# built from), the notices of everything linked in and SOURCE.txt, which
# says how to rebuild it; Qt's Debian source package is put beside it.
# CHAOS_HOST_BUILD may name a native build folder of this
# project (as scripts/check.sh does) whose chaos-game-icons draws the icon;
# otherwise the script builds that tool natively in build/windows/host.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
source scripts/windows-qt.sh

chaos_install_missing "${CHAOS_BUILD_PACKAGES[@]}" "${CHAOS_WINDOWS_PACKAGES[@]}"

out=build/windows
toolchain=$PWD/packaging/windows/mingw-w64-x86_64.cmake
qt=${CHAOS_WINDOWS_QT:-$(chaos_qt_cache_default)}
export CHAOS_WINDOWS_QT=$qt
mkdir -p "$out"
started=$SECONDS

echo "== Windows: static Qt"
chaos_build_windows_qt "$toolchain"

echo "== Windows: the icon tool, built for this machine"
host=${CHAOS_HOST_BUILD:-$out/host}
if [ ! -f "$host/CMakeCache.txt" ]; then
    cmake -S . -B "$host" -DCMAKE_BUILD_TYPE=Release -DCHAOS_BUILD_TESTS=OFF -DCHAOS_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$host" --target chaos-game-icons chaos-game --parallel 2
icon_tool=$PWD/$host/packaging/chaos-game-icons
[[ $host = /* ]] && icon_tool=$host/packaging/chaos-game-icons

echo "== Windows: chaos-game.exe"
# Qt's toolchain file finds the static Qt and chain-loads the MinGW one.
# Linked with -static, libgcc, libstdc++ and winpthread are inside the
# program too, so it needs nothing beyond Windows' own DLLs; -s strips it.
cross=$out/cross
cmake -S . -B "$cross" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_EXE_LINKER_FLAGS="-static -s" \
    -DCHAOS_BUILD_TESTS=OFF -DCHAOS_BUILD_BENCH=OFF \
    -DCHAOS_BUNDLED_FONTS=ON \
    -DCHAOS_HOST_ICON_TOOL="$icon_tool" >/dev/null
cmake --build "$cross" --target chaos-game --parallel 2
cp "$cross/chaos-game.exe" "$out/chaos-game.exe"

echo "== Windows: the zip"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$cross/CMakeCache.txt")
name=chaos-game-$version-windows-x64
stage=$out/zip/$name
rm -rf "$out/zip" "$out/$name.zip" "$out"/qt6-base_*
mkdir -p "$stage/Qt licences" "$stage/Runtime licences"
cp "$out/chaos-game.exe" "$stage/"
cp LICENSE "$stage/LICENSE.txt"
cp canvas/fonts/OFL.txt "$stage/Liberation Sans - OFL.txt"
# The README's keys are the program's own list, as --help prints it.
host_program=$PWD/$host/chaos-game
[[ $host = /* ]] && host_program=$host/chaos-game
"$host_program" --help | sed -n '/^Keys:$/,$p' | tail -n +2 > "$out/keys.txt"
[ -s "$out/keys.txt" ] || { echo "windows: the program's --help lists no keys" >&2; exit 1; }
/usr/bin/python3 - packaging/windows/README.txt "$stage/README.txt" "$version" "$out/keys.txt" <<'PYTHON'
import sys
template, target, version, keys = sys.argv[1:]
text = open(template, encoding="utf-8").read().replace("@VERSION@", version)
text = text.replace("@KEYS@", open(keys, encoding="utf-8").read().rstrip("\n"))
open(target, "w", encoding="utf-8").write(text)
PYTHON
chaos_qt_notices "$qt" "$stage/Qt licences"

# The program's source, as the commit it was built from: inside the zip,
# so that it travels with the program (GPL-3.0 section 6). A build from
# changed files says so, since the tarball then is not its source.
commit=$(git rev-parse HEAD)
git diff --quiet HEAD -- || echo "windows: WARNING: uncommitted changes; the source tarball holds $commit" >&2
git archive --format=tar.gz --prefix="chaos-game-$version/" -o "$stage/chaos-game-$version-source.tar.gz" HEAD

# Qt's source, as the Debian source package it was built from, beside the
# zip; how to rebuild and relink, and the written offer, in SOURCE.txt.
chaos_qt_source_files "$qt" "$out"
qt_version=$(chaos_qt_source_version)
mingw_version=$(dpkg-query -W -f='${source:Version}' mingw-w64-x86-64-dev)
gcc_version=$(dpkg-query -W -f='${source:Version}' gcc-mingw-w64-x86-64-posix-runtime)
gcc_upstream=$(x86_64-w64-mingw32-g++-posix -dumpfullversion | sed 's/-posix$//')
GCC_UPSTREAM=$gcc_upstream \
QT_FLAGS="${CHAOS_QT_CONFIGURE_FLAGS[*]}" VERSION=$version COMMIT=$commit QT_VERSION=$qt_version \
MINGW_VERSION=$mingw_version GCC_VERSION=$gcc_version \
    /usr/bin/python3 - packaging/windows/SOURCE.txt "$stage/SOURCE.txt" \
                       packaging/windows/runtime-notice.txt "$stage/Runtime licences/README-runtime.txt" <<'PYTHON'
import os, sys, textwrap, urllib.parse

values = {key: os.environ[key] for key in ("VERSION", "COMMIT", "QT_VERSION", "MINGW_VERSION", "GCC_VERSION")}
values["QT_UPSTREAM"] = values["QT_VERSION"].split("+")[0]
values["GCC_UPSTREAM"] = os.environ["GCC_UPSTREAM"]
values["QT_VERSION_URL"] = urllib.parse.quote(values["QT_VERSION"])
values["QT_FLAGS"] = "\n  ".join(textwrap.wrap(os.environ["QT_FLAGS"], 72, break_on_hyphens=False))
for template, target in zip(sys.argv[1::2], sys.argv[2::2]):
    text = open(template, encoding="utf-8").read()
    for key, value in values.items():
        text = text.replace(f"@{key}@", value)
    open(target, "w", encoding="utf-8").write(text)
PYTHON
# What else is linked in: winpthreads, the MinGW-w64 runtime and GCC's.
cp packaging/windows/winpthreads-notice.txt "$stage/Runtime licences/winpthreads - notice.txt"
cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$stage/Runtime licences/MinGW-w64 runtime - copyright.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$stage/Runtime licences/GCC runtime - copyright.txt"

# Line ends as Windows' Notepad expects them in every text file.
find "$stage" -name '*.txt' -exec sed -i 's/\r\?$/\r/' {} +
(cd "$out/zip" && cmake -E tar cf "../$name.zip" --format=zip "$name")

size=$(stat -c %s "$out/chaos-game.exe")
echo "windows: $out/chaos-game.exe ($((size / 1024)) KiB) and $out/$name.zip in $((SECONDS - started)) s"
