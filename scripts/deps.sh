#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing need,
# asking apt only for those that are missing. Sourced by start.sh and check.sh.
set -euo pipefail

chaos_install_missing() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What the program needs to build and run: Liberation Sans 2 for a program
# built without its own faces, as the Debian package is.
CHAOS_BUILD_PACKAGES=(cmake g++ make qt6-base-dev fonts-liberation fonts-liberation2 fontconfig)

# What the tests need on top: a headless X server with a window manager,
# tools that drive it like a user and read the screen, clang for the fuzzer,
# a locale whose decimal point is a comma, and the tools that build the
# Debian package and validate the launcher entry, the metainfo and the
# type of .chaos files (shared-mime-info, libxml2-utils); lintian
# for the package, libc++ for the portability build, the package's
# recommended Wayland plugin, so that installing it asks for nothing more,
# and ccache, which keeps compiled files between runs.
CHAOS_TEST_PACKAGES=(xvfb xauth openbox xdotool wmctrl imagemagick x11-utils
                     clang libclang-rt-14-dev locales-all
                     dpkg-dev desktop-file-utils appstream shared-mime-info libxml2-utils
                     lintian libc++-dev libc++abi-dev qt6-wayland ccache)

# The screen-reader test reads the canvas through AT-SPI: a private session
# bus, the accessibility bus and Python's D-Bus bindings.
CHAOS_TEST_PACKAGES+=(dbus at-spi2-core python3-dbus python3-gi)

# The Windows program, cross-built (scripts/build-windows.sh): the MinGW-w64
# compiler with POSIX threads, the tools that fetch and build Debian's Qt
# source, and Wine to run the program in the tests.
CHAOS_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix dpkg-dev ninja-build perl python3)
CHAOS_WINDOWS_TEST_PACKAGES=(wine64)

# The web program (scripts/build-web.sh): Debian's emscripten, the tools
# that fetch and build Debian's Qt source for WebAssembly; and, for its
# end-to-end test, Chromium driven headless through the DevTools protocol.
CHAOS_WEB_PACKAGES=(emscripten dpkg-dev ninja-build perl python3)
CHAOS_WEB_TEST_PACKAGES=(chromium python3-websocket)
