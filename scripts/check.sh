#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds The Chaos Game with its tests and runs every test headless,
# installing what is missing first. Its sections, cheapest first:
#
#   licences  every source names its licence
#   release   the Release build: unit, widget and end-to-end tests (Xvfb)
#   package   the launcher entry, the metainfo, the Debian package, lintian
#             and the README's install steps
#   repro     a second build in another folder gives the same program and
#             package
#   fuzz      a fuzzer on the reading of typed fractions
#   sanitize  clang with libc++, AddressSanitizer and
#             UndefinedBehaviorSanitizer: the unit and widget tests
#   windows   the Windows program cross-built, its PE and zip checked, run
#             under Wine
#   web       the web program built for WebAssembly, driven in headless
#             Chromium
#
#   bash scripts/check.sh                   every section
#   bash scripts/check.sh --only windows    one section (or several: web,fuzz)
#
# Compilers run through ccache, whose cache lives outside the work tree
# (CCACHE_DIR, by default beside the Windows and web Qt caches), so a
# second run rebuilds only what changed. The reproducibility section
# compiles without it: it checks the compiler's own output.
set -euo pipefail
cd "$(dirname "$0")/.."

all_sections=(licences release package repro fuzz sanitize windows web)
sections=("${all_sections[@]}")
while [ $# -gt 0 ]; do
    case $1 in
        --only)
            [ $# -ge 2 ] || { echo "check: --only needs a section: ${all_sections[*]}" >&2; exit 2; }
            IFS=, read -r -a sections <<< "$2"
            shift 2 ;;
        --only=*)
            IFS=, read -r -a sections <<< "${1#--only=}"
            shift ;;
        *)
            echo "check: unknown argument '$1'; usage: check.sh [--only SECTION[,SECTION...]]" >&2
            echo "       sections: ${all_sections[*]}" >&2
            exit 2 ;;
    esac
done
for section in "${sections[@]}"; do
    [[ " ${all_sections[*]} " == *" $section "* ]] \
        || { echo "check: no section '$section'; the sections are: ${all_sections[*]}" >&2; exit 2; }
done
wanted() { [[ " ${sections[*]} " == *" $1 "* ]]; }

source scripts/deps.sh
packages=("${CHAOS_BUILD_PACKAGES[@]}" "${CHAOS_TEST_PACKAGES[@]}")
wanted windows && packages+=("${CHAOS_WINDOWS_PACKAGES[@]}" "${CHAOS_WINDOWS_TEST_PACKAGES[@]}")
wanted web && packages+=("${CHAOS_WEB_PACKAGES[@]}" "${CHAOS_WEB_TEST_PACKAGES[@]}")
chaos_install_missing "${packages[@]}"

jobs=$(nproc)
# Builds are reproducible: the time stamps that go into the package are
# the last commit's.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date -d "$(sed -n 's/^set(CHAOS_RELEASE_DATE \(.*\))$/\1/p' CMakeLists.txt)" +%s)
export SOURCE_DATE_EPOCH

# CMake takes the launcher from the environment when it first configures a
# build folder, the cross-builds' included.
export CCACHE_DIR=${CCACHE_DIR:-/var/cache/chaos-game/ccache}
export CCACHE_BASEDIR=$PWD
export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-2G}
export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
if ! mkdir -p "$CCACHE_DIR" 2>/dev/null || [ ! -w "$CCACHE_DIR" ]; then
    CCACHE_DIR=${XDG_CACHE_HOME:-$HOME/.cache}/chaos-game-ccache
fi

started=$SECONDS
section_started=$SECONDS
begin() {
    echo "== $*"
    section_started=$SECONDS
}
took() { echo "   ($((SECONDS - section_started)) s)"; }

# The Release build, tested or not: the package, the cross-builds' icon
# tool and the screenshot checker come from it.
release_built=no
build_release() {
    [ $release_built = yes ] && return 0
    # Built as the Debian package is: with the system's Liberation Sans.
    cmake -S . -B build/check -DCMAKE_BUILD_TYPE=Release -DCHAOS_BUNDLED_FONTS=OFF >/dev/null
    cmake --build build/check --parallel "$jobs"
    release_built=yes
}

if wanted licences; then
    begin "Licence lines"
    bash scripts/check-spdx.sh
    took
fi

if wanted release; then
    begin "Release build: all tests"
    build_release
    # The unit and widget tests side by side, each with its own settings
    # folder; then the end-to-end tests two at a time, each in an X session
    # of its own: they mostly wait for the program, against its clock, and
    # more at once would starve the ones that measure it.
    ctest --test-dir build/check -LE e2e --parallel "$jobs" --output-on-failure
    ctest --test-dir build/check -L e2e --parallel 2 --output-on-failure
    took
fi

if wanted package; then
    begin "Desktop integration and the Debian package"
    build_release
    desktop-file-validate packaging/org.example.ChaosGame.desktop
    appstreamcli validate --no-net build/check/packaging/org.example.ChaosGame.metainfo.xml
    rm -f build/check/chaos-game_*.deb
    (cd build/check && cpack -G DEB >/dev/null)
    bash tests/package/check_package.sh build/check/chaos-game_*.deb
    lintian --pedantic --fail-on error,warning build/check/chaos-game_*.deb
    bash tests/package/check_readme_install.sh
    took
fi

if wanted repro; then
    begin "Reproducible: the program and the package built again in another folder"
    build_release
    [ -n "$(ls build/check/chaos-game_*.deb 2>/dev/null)" ] \
        || (cd build/check && cpack -G DEB >/dev/null)
    # Only what the package holds, with the same options, compiled afresh.
    rm -rf build/repro
    CCACHE_DISABLE=1 cmake -S . -B build/repro -DCMAKE_BUILD_TYPE=Release -DCHAOS_BUNDLED_FONTS=OFF \
        -DCHAOS_BUILD_TESTS=OFF -DCHAOS_BUILD_BENCH=OFF >/dev/null
    CCACHE_DISABLE=1 cmake --build build/repro --parallel "$jobs"
    (cd build/repro && cpack -G DEB >/dev/null)
    bash tests/package/check_reproducible.sh build/check build/repro
    took
fi

if wanted fuzz; then
    begin "Fuzzing the reading of a typed fraction (libFuzzer, 30 s)"
    mkdir -p build/fuzz/corpus
    clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I. \
        games/leadingnumber.cpp tests/fuzz/fuzz_leadingnumber.cpp -o build/fuzz/fuzz_leadingnumber
    build/fuzz/fuzz_leadingnumber -max_total_time=30 -timeout=5 -print_final_stats=0 \
        -artifact_prefix=build/fuzz/ build/fuzz/corpus 2>&1 | tail -n 3
    took
fi

if wanted sanitize; then
    begin "Clang, libc++, AddressSanitizer and UndefinedBehaviorSanitizer: unit and widget tests"
    # One build for both: the second C++ library shows what leans on
    # libstdc++, the sanitizers what reads or writes out of bounds.
    cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_COMPILER=clang++ \
          -DCMAKE_CXX_FLAGS="-stdlib=libc++ -O1 -g1" -DCMAKE_EXE_LINKER_FLAGS=-stdlib=libc++ \
          -DCHAOS_SANITIZE=ON -DCHAOS_BUILD_BENCH=OFF >/dev/null
    cmake --build build/sanitize --parallel "$jobs"
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --test-dir build/sanitize -L unit --parallel "$jobs" --output-on-failure
    took
fi

if wanted windows; then
    begin "Windows: cross-build, PE checks, end-to-end under Wine"
    # The icon tool and the screenshot checker come from the Release build.
    build_release
    CHAOS_HOST_BUILD=build/check bash scripts/build-windows.sh
    windows_version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/cross/CMakeCache.txt)
    bash tests/windows/check_pe.sh build/windows/chaos-game.exe "$windows_version"
    # The zip: the program's source and the written offer, every notice of
    # what is linked in (winpthreads included), no licence text that does
    # not apply.
    bash tests/windows/check_zip.sh "build/windows/chaos-game-$windows_version-windows-x64.zip"
    bash tests/e2e/windows/run_e2e_wine.sh build/windows/chaos-game.exe build/check/tests/shotcheck \
        build/check/tests/e2e-shots-windows
    took
fi

if wanted web; then
    begin "Web: built for WebAssembly, end-to-end in headless Chromium"
    build_release
    CHAOS_HOST_BUILD=build/check bash scripts/build-web.sh
    bash tests/web/run_e2e_web.sh build/web build/check/tests/shotcheck build/check/tests/e2e-shots-web
    took
fi

echo "== Passed: ${sections[*]} in $((SECONDS - started)) s"
