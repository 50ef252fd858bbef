#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the README's install steps exactly as written, in order, from the
# repository's top (as root, or through sudo), and checks after each one
# what it should have done: the program installed and answering, then gone.
set -euo pipefail
cd "$(dirname "$0")/../.."
fail() { echo "readme install: FAIL: $*" >&2; exit 1; }

# The shell block under the README heading "### $1".
step_code() {
    awk -v heading="### $1" '
        $0 == heading { inside = 1; next }
        inside && /^#/ { exit }
        inside && /^```sh$/ { code = 1; next }
        code && /^```$/ { exit }
        code { print }' README.md
}

run_step() {
    local code
    code=$(step_code "$1")
    [ -n "$code" ] || fail "the README has no step '$1'"
    echo "readme install: $1:"
    echo "$code" | sed 's/^/    /'
    if [ "$(id -u)" -eq 0 ]; then
        bash -euo pipefail -c "$code"
    else
        sudo bash -euo pipefail -c "$code"
    fi
}

package_installed() { [ "$(dpkg-query -W -f='${Status}' chaos-game 2>/dev/null)" = "install ok installed" ]; }

# Answers --version with the version the build carries, with no display.
answers() {
    local line
    line=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" --version | head -n 1)
    [ "$line" = "The Chaos Game $version" ] || fail "$1 --version printed '$line'"
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/check/CMakeCache.txt)
[ -n "$version" ] || fail "build/check is not built"
[ ! -e /usr/local/bin/chaos-game ] && ! package_installed \
    || fail "chaos-game is installed on this machine already; remove it first"
rm -f build/check/install_manifest.txt build/check/install_folders.txt
# What the prefix holds before: the removal must leave just that.
tree_of() { find "$1" -mindepth 1 -printf '%y %p\n' 2>/dev/null | sort; }
before=$(tree_of /usr/local)
# Whatever happens, leave the machine as it was.
trap 'if [ -f build/check/install_manifest.txt ]; then run_step "Remove what that installed" >/dev/null 2>&1 || true; fi
      if package_installed; then run_step "Remove the Debian package" >/dev/null 2>&1 || true; fi' EXIT

run_step "Install from the build"
answers /usr/local/bin/chaos-game
for file in share/man/man1/chaos-game.1.gz share/applications/org.example.ChaosGame.desktop \
            share/metainfo/org.example.ChaosGame.metainfo.xml share/doc/chaos-game/copyright \
            share/icons/hicolor/scalable/apps/org.example.ChaosGame.svg; do
    [ -s "/usr/local/$file" ] || fail "/usr/local/$file was not installed"
done
! grep -q '\.symtab' <<<"$(readelf -S /usr/local/bin/chaos-game)" || fail "the installed program is not stripped"

[ -s build/check/install_folders.txt ] || fail "the installation recorded no folders it created"
run_step "Remove what that installed"
while IFS= read -r file; do
    [ ! -e "$file" ] || fail "$file is still there"
done < build/check/install_manifest.txt
after=$(tree_of /usr/local)
[ "$after" = "$before" ] || fail "the removal left /usr/local other than it was:
$(diff <(echo "$before") <(echo "$after") | head -n 20)"
rm -f build/check/install_manifest.txt build/check/install_folders.txt

run_step "Install the Debian package"
package_installed || fail "the package is not installed"
answers /usr/bin/chaos-game
[ -s /usr/share/man/man1/chaos-game.1.gz ] || fail "the manual page was not installed"

run_step "Remove the Debian package"
! package_installed || fail "the package is still installed"
[ ! -e /usr/bin/chaos-game ] || fail "/usr/bin/chaos-game is still there"
echo "readme install: every install step of the README works as written, and its removal too"
