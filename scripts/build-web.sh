#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program for WebAssembly on this Debian machine, installing what
# is missing first, and writes build/web/: one folder that any static file
# server gives as the whole program in a web browser
# (python3 -m http.server -d build/web), with its page, its code, a web app
# manifest and a service worker that lets it start again without a network.
#
# The first run also builds Qt for WebAssembly with Debian's emscripten
# (40 to 70 minutes on a busy machine) into a cache folder outside the work
# tree, which later runs reuse: beside the Windows one, or CHAOS_WEB_QT.
# CHAOS_HOST_BUILD may name a native build folder of this project (as
# scripts/check.sh does) whose chaos-game-icons draws the icons; otherwise
# the script builds that tool natively in build/web-build/host.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
source scripts/web-qt.sh

chaos_install_missing "${CHAOS_BUILD_PACKAGES[@]}" "${CHAOS_WEB_PACKAGES[@]}"

out=build/web
work=build/web-build
qt=${CHAOS_WEB_QT:-$(chaos_web_qt_default)}
export CHAOS_WEB_QT=$qt
started=$SECONDS

echo "== Web: static Qt for WebAssembly"
chaos_build_web_qt

echo "== Web: the icon tool, built for this machine"
host=${CHAOS_HOST_BUILD:-$work/host}
if [ ! -f "$host/CMakeCache.txt" ]; then
    cmake -S . -B "$host" -DCMAKE_BUILD_TYPE=Release -DCHAOS_BUILD_TESTS=OFF -DCHAOS_BUILD_BENCH=OFF >/dev/null
fi
nice -n 10 cmake --build "$host" --target chaos-game-icons --parallel 2
icon_tool=$host/packaging/chaos-game-icons

echo "== Web: chaos-game.wasm"
# Qt's toolchain file finds the static Qt and chain-loads emscripten's.
cross=$work/wasm
cmake -S . -B "$cross" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
    -DCMAKE_BUILD_TYPE=Release \
    -DCHAOS_BUILD_TESTS=OFF -DCHAOS_BUILD_BENCH=ON \
    -DCHAOS_BUNDLED_FONTS=ON >/dev/null
nice -n 10 cmake --build "$cross" --target chaos-game --parallel 2

echo "== Web: the folder"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$cross/CMakeCache.txt")
rm -rf "$out"
mkdir -p "$out/licences"
cp "$cross/chaos-game.js" "$cross/chaos-game.wasm" "$out/"
"$icon_tool" --web "$out"
cp web/manifest.webmanifest "$out/"
cp LICENSE "$out/LICENSE.txt"
cp canvas/fonts/OFL.txt "$out/licences/LiberationSans-OFL.txt"
# Qt's licence notices, from the source the Windows build fetched too.
windows_qt=${CHAOS_WINDOWS_QT:-$(chaos_qt_cache_default)}
CHAOS_WINDOWS_QT_SRC=${CHAOS_WINDOWS_QT_SRC:-$windows_qt-src} chaos_qt_notices "$qt" "$out/licences"
# The notices are written for the Windows program; this one is for the
# browser and has neither printing nor threads.
sed -i -e 's/The Chaos Game for Windows/The Chaos Game for the web browser/' \
    -e 's/Qt Widgets, Qt Print Support, Qt Concurrent and their plugins/Qt Widgets, Qt OpenGL and their plugins/' \
    "$out/licences/README-Qt.txt"
source_url=$(sed -n 's/^Source: //p' packaging/copyright)
sed -e "s/@VERSION@/$version/g" -e "s|@SOURCE_URL@|$source_url|g" \
    -e "s/@WASM_BYTES@/$(stat -c %s "$out/chaos-game.wasm")/g" web/index.html > "$out/index.html"

# The service worker keeps every file of the folder; its store is named
# after their digest, so that each build replaces the last one whole.
files=$(cd "$out" && find . -type f ! -name service-worker.js | LC_ALL=C sort)
build_id=$(cd "$out" && printf '%s\n' "$files" | xargs sha256sum | sha256sum | cut -c1-16)
list=$(printf '%s\n' "./" $files | sed 's/.*/"&"/' | paste -sd, | sed 's/,/, /g')
sed -e "s/@BUILD_ID@/$build_id/" -e "s|@FILES@|$list|" web/service-worker.js > "$out/service-worker.js"

raw=$(cat "$out"/index.html "$out"/chaos-game.js "$out"/chaos-game.wasm | wc -c)
packed=$(for file in index.html chaos-game.js chaos-game.wasm; do gzip -9c "$out/$file"; done | wc -c)
echo "web: $out (version $version) in $((SECONDS - started)) s;" \
     "page, program and code: $((raw / 1024)) KiB, $((packed / 1024)) KiB with gzip"
