#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds the portable Windows program on this Debian machine, installing
# what is missing first: one statically linked 64-bit chaos-game.exe and a zip
# to hand out, both in build/windows/.
#
# The first run also builds Qt for Windows as static libraries (15 to 30
# minutes on two cores) into a cache folder outside the work tree, which
# later runs reuse: /var/cache/chaos-game/qt-<version>-mingw64-static, or
# CHAOS_WINDOWS_QT. CHAOS_HOST_BUILD may name a native build folder of this
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
cmake --build "$host" --target chaos-game-icons --parallel 2
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
rm -rf "$out/zip" "$out/$name.zip"
mkdir -p "$stage/Qt licences"
cp "$out/chaos-game.exe" "$stage/"
cp LICENSE "$stage/LICENSE.txt"
cp canvas/fonts/OFL.txt "$stage/Liberation Sans - OFL.txt"
sed "s/@VERSION@/$version/g" packaging/windows/README.txt > "$stage/README.txt"
chaos_qt_notices "$qt" "$stage/Qt licences"
# Line ends as Windows' Notepad expects them in every text file.
find "$stage" -name '*.txt' -exec sed -i 's/\r\?$/\r/' {} +
(cd "$out/zip" && cmake -E tar cf "../$name.zip" --format=zip "$name")

size=$(stat -c %s "$out/chaos-game.exe")
echo "windows: $out/chaos-game.exe ($((size / 1024)) KiB) and $out/$name.zip in $((SECONDS - started)) s"
