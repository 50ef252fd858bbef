#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Qt for WebAssembly as static libraries with Debian's emscripten,
# from the same Debian qt6-base source the Windows build fetches, and
# installs it into a cache folder outside the work tree, beside the Windows
# one. Sourced by build-web.sh.
#
#   CHAOS_WEB_QT        where the static Qt goes (default: the Windows
#                       cache folder's name with -wasm-static in place of
#                       -mingw64-static)
#
# A stamp file in the installed Qt records the source version, emscripten's
# version and the configure flags; a later run with the same ones reuses the
# cache as it is.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/windows-qt.sh"

# Debian's emcc runs its JavaScript parts with the machine's node, which
# must find Debian's acorn and friends.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
# Debian's emcc is a Python program written for Debian's Python; another
# python3 first on the PATH (a version manager's shim, say) is slower to
# start and may lack what it needs.
export EMSDK_PYTHON=${EMSDK_PYTHON:-/usr/bin/python3}

chaos_web_qt_default() {
    local windows
    windows=$(chaos_qt_cache_default)
    echo "${windows%-mingw64-static}-wasm-static"
}

# Only what the program links on the web: Core, Gui, Widgets and the wasm
# platform plugin. The wasm backing store draws through WebGL, so Qt's
# OpenGL module stays in (the program itself paints with the raster
# engine). One thread: no QThread, no QtConcurrent; no printing. Bundled
# third-party libraries, no ICU. Qt is built without asyncify: it stays a
# link option of the program (see build-web.sh), and its libraries are the
# same either way.
CHAOS_WEB_QT_CONFIGURE_FLAGS=(
    -xplatform wasm-emscripten -static -release -opensource -confirm-license
    -qt-host-path /usr
    -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre -no-icu
    -nomake examples -nomake tests -nomake benchmarks
    -no-feature-sql -no-feature-network -no-feature-testlib -no-feature-xml
    -no-feature-dbus -no-feature-zstd -no-feature-concurrent
    -no-feature-printsupport -no-feature-thread
)

# Qt's wasm configuration finds emscripten through EMSDK: a folder whose
# .emscripten file names EMSCRIPTEN_ROOT (relative to it) and whose
# EMSCRIPTEN_ROOT holds emcc and the CMake toolchain file. Debian installs
# emscripten in neither layout, so this makes one in $1 out of links to
# Debian's files, and exports EMSDK.
chaos_web_emsdk() {
    local emsdk=$1/emsdk
    local root=$emsdk/emscripten
    if [ ! -x "$root/emcc" ]; then
        rm -rf "$emsdk"
        mkdir -p "$root"
        local entry
        for entry in /usr/share/emscripten/*; do
            ln -s "$entry" "$root/$(basename "$entry")"
        done
        for entry in emcc em++ emar emranlib; do
            ln -s "/usr/bin/$entry" "$root/$entry"
        done
        printf "EMSCRIPTEN_ROOT = 'emscripten'\n" > "$emsdk/.emscripten"
    fi
    export EMSDK=$emsdk
}

chaos_web_emcc_version() {
    emcc --version | sed -n '1s/.* \([0-9][0-9.]*\) .*/\1/p;1s/.* \([0-9][0-9.]*\)$/\1/p' | head -n 1
}

# What the static Qt is built from, one a line.
chaos_web_qt_stamp() {
    printf '%s\n' "qt6-base $(chaos_qt_source_version)" \
        "emscripten: $(chaos_web_emcc_version)" "${CHAOS_WEB_QT_CONFIGURE_FLAGS[@]}"
}

# Makes sure the static Qt for WebAssembly is in $CHAOS_WEB_QT: reuses it
# when its stamp matches, builds it otherwise (at low priority, on two
# cores unless CHAOS_WEB_QT_JOBS says otherwise).
chaos_build_web_qt() {
    local prefix=${CHAOS_WEB_QT:-$(chaos_web_qt_default)}
    local windows=${CHAOS_WINDOWS_QT:-$(chaos_qt_cache_default)}
    local srcdir=${CHAOS_WINDOWS_QT_SRC:-$windows-src}
    local stamp="$prefix/chaos-game-qt.stamp"
    chaos_web_emsdk "$prefix"
    local wanted
    wanted=$(chaos_web_qt_stamp)
    if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$wanted" ]; then
        echo "web-qt: reusing the static Qt in $prefix"
        return 0
    fi

    local start=$SECONDS
    echo "web-qt: building a static Qt for WebAssembly into $prefix (40 to 70 minutes on a busy machine)"
    local tree
    tree=$(chaos_fetch_qt_source "$srcdir")
    local build="$prefix-build"
    rm -rf "$build"
    find "$prefix" -mindepth 1 -maxdepth 1 ! -name emsdk -exec rm -rf {} +
    mkdir -p "$build"
    (
        cd "$build"
        "$tree/configure" -prefix "$prefix" "${CHAOS_WEB_QT_CONFIGURE_FLAGS[@]}" -- \
            -G Ninja \
            -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake"
        nice -n 19 cmake --build . --parallel "${CHAOS_WEB_QT_JOBS:-2}"
        cmake --install .
    )
    rm -rf "$build"
    printf '%s\n' "$wanted" > "$stamp"
    echo "web-qt: static Qt built in $((SECONDS - start)) s"
}
