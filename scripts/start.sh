#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds The Chaos Game (Release) and starts it, installing what is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
chaos_install_missing "${CHAOS_BUILD_PACKAGES[@]}"

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DCHAOS_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --parallel "$(nproc)"
exec build/release/chaos-game "$@"
