#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The web program's figures beside the native program's (bench/webbench.cpp):
# builds chaos-webbench for WebAssembly beside the web program (after
# scripts/build-web.sh) and natively in build/check, runs both and prints
# the figures. Prints; checks nothing.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/deps.sh
source scripts/web-qt.sh
chaos_install_missing "${CHAOS_WEB_TEST_PACKAGES[@]}"

cross=build/web-build/wasm
[ -f "$cross/CMakeCache.txt" ] || { echo "web-bench: run scripts/build-web.sh first" >&2; exit 2; }
chaos_web_emsdk "${CHAOS_WEB_QT:-$(chaos_web_qt_default)}"
nice -n 10 cmake --build "$cross" --target chaos-webbench --parallel 2
out=build/web-bench
rm -rf "$out"
mkdir -p "$out"
cp "$cross"/bench/chaos-webbench.{html,js,wasm} "$cross"/bench/qtloader.js "$cross"/bench/qtlogo.svg "$out"/

native=${CHAOS_HOST_BUILD:-build/check}
nice -n 10 cmake --build "$native" --target chaos-webbench --parallel 2
exec /usr/bin/python3 bench/web/web_bench.py "$out" "$native/bench/chaos-webbench"
