#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds The Chaos Game with its tests and runs every test headless,
# installing what is missing first: the unit and widget tests and the
# end-to-end test on a Release build, the launcher entry, the metainfo and
# the Debian package, that a second build gives the same program and
# package, a fuzzer on the reading of typed fractions, then the unit and
# widget tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the Windows program, cross-built and run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
chaos_install_missing "${CHAOS_BUILD_PACKAGES[@]}" "${CHAOS_TEST_PACKAGES[@]}" \
                      "${CHAOS_WINDOWS_PACKAGES[@]}" "${CHAOS_WINDOWS_TEST_PACKAGES[@]}"
jobs=$(nproc)
# Builds are reproducible: the time stamps that go into the package are
# the last commit's.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date -d "$(sed -n 's/^set(CHAOS_RELEASE_DATE \(.*\))$/\1/p' CMakeLists.txt)" +%s)
export SOURCE_DATE_EPOCH

echo "== Release build: all tests"
# Built as the Debian package is: with the system's Liberation Sans.
cmake -S . -B build/check -DCMAKE_BUILD_TYPE=Release -DCHAOS_BUNDLED_FONTS=OFF >/dev/null
cmake --build build/check --parallel "$jobs"
ctest --test-dir build/check --output-on-failure

echo "== Desktop integration and the Debian package"
desktop-file-validate packaging/org.example.ChaosGame.desktop
appstreamcli validate --no-net build/check/packaging/org.example.ChaosGame.metainfo.xml
rm -f build/check/chaos-game_*.deb
(cd build/check && cpack -G DEB >/dev/null)
bash tests/package/check_package.sh build/check/chaos-game_*.deb

echo "== Reproducible: the program and the package built again in another folder"
# Only what the package holds, with the same options.
cmake -S . -B build/repro -DCMAKE_BUILD_TYPE=Release -DCHAOS_BUNDLED_FONTS=OFF \
      -DCHAOS_BUILD_TESTS=OFF -DCHAOS_BUILD_BENCH=OFF >/dev/null
cmake --build build/repro --parallel "$jobs"
rm -f build/repro/chaos-game_*.deb
(cd build/repro && cpack -G DEB >/dev/null)
bash tests/package/check_reproducible.sh build/check build/repro

echo "== Fuzzing the reading of a typed fraction (libFuzzer, 30 s)"
mkdir -p build/fuzz/corpus
clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I. \
    games/leadingnumber.cpp tests/fuzz/fuzz_leadingnumber.cpp -o build/fuzz/fuzz_leadingnumber
build/fuzz/fuzz_leadingnumber -max_total_time=30 -timeout=5 -print_final_stats=0 \
    -artifact_prefix=build/fuzz/ build/fuzz/corpus 2>&1 | tail -n 3

echo "== AddressSanitizer and UndefinedBehaviorSanitizer: unit and widget tests"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHAOS_SANITIZE=ON \
      -DCHAOS_BUILD_BENCH=OFF >/dev/null
cmake --build build/sanitize --parallel "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/sanitize -L unit --output-on-failure

echo "== Release: lintian on the package, the README's install steps"
lintian --pedantic --fail-on error,warning build/check/chaos-game_*.deb
bash tests/package/check_readme_install.sh

echo "== Clang and libc++: the library, the program and the tests that need no display"
# Unoptimised and without debug information: the quickest build to test.
cmake -S . -B build/libcxx -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_CXX_FLAGS=-stdlib=libc++ -DCMAKE_EXE_LINKER_FLAGS=-stdlib=libc++ \
      -DCHAOS_BUILD_BENCH=OFF >/dev/null
cmake --build build/libcxx --parallel "$jobs"
ctest --test-dir build/libcxx -L unit --output-on-failure

echo "== Windows: cross-build, PE checks, end-to-end under Wine"
# The icon tool and the screenshot checker come from the Release build above.
CHAOS_HOST_BUILD=build/check bash scripts/build-windows.sh
windows_version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/cross/CMakeCache.txt)
bash tests/windows/check_pe.sh build/windows/chaos-game.exe "$windows_version"
# The zip: the program's source and the written offer, every notice of what
# is linked in (winpthreads included), no licence text that does not apply.
bash tests/windows/check_zip.sh "build/windows/chaos-game-$windows_version-windows-x64.zip"
bash tests/e2e/windows/run_e2e_wine.sh build/windows/chaos-game.exe build/check/tests/shotcheck \
    build/check/tests/e2e-shots-windows

echo "== Licence lines"
bash scripts/check-spdx.sh
