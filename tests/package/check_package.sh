#!/usr/bin/env bash
# Checks the Debian package as a desktop would meet it: its files and their
# validity, that every dependency is a Debian package, that the program finds
# all its libraries and its face, and that the installed program opens on a
# real X server. The package is unpacked into a scratch root, not installed.
#
#   check_package.sh PACKAGE.deb
set -euo pipefail
deb=$1
fail() { echo "package: FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/../e2e/xsession.sh"

root=$(mktemp -d)
pids=()
trap 'cleanup; rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

id=org.example.ChaosGame
for file in usr/bin/chaos-game "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml" \
            "usr/share/icons/hicolor/scalable/apps/$id.svg" "usr/share/icons/hicolor/48x48/apps/$id.png" \
            "usr/share/icons/hicolor/256x256/apps/$id.png"; do
    [ -s "$root/$file" ] || fail "the package lacks $file"
done
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "the launcher entry is not valid"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >/dev/null \
    || fail "the metainfo is not valid"

depends=$(dpkg-deb -f "$deb" Depends)
echo "package: Depends: $depends"
for dependency in $(echo "$depends" | tr ',' '\n' | sed 's/(.*)//; s/|.*//'); do
    dpkg-query -W "$dependency" >/dev/null 2>&1 || apt-cache show "$dependency" >/dev/null 2>&1 \
        || fail "Debian has no package $dependency"
done
for needed in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-liberation; do
    echo "$depends" | grep -q "$needed" || fail "the package does not depend on $needed"
done
! ldd "$root/usr/bin/chaos-game" | grep "not found" || fail "the program misses a library"
fc-match -f '%{family}\n' Arial | grep -q "Liberation Sans" || fail "Arial does not resolve to Liberation Sans"

start_x_session
"$root/usr/bin/chaos-game" >/dev/null 2>&1 &
app=$!
pids+=($app)
splash=$(window_sized 535x338 "$app") || fail "the installed program did not open its start-up window"
xdotool windowactivate --sync "$splash" >/dev/null 2>&1 || true
xdotool key space
for _ in $(seq 100); do
    xdotool search --onlyvisible --pid "$app" --name "^The Chaos Game\$" 2>/dev/null | grep -qvx "$splash" && break
    sleep 0.1
done
xdotool search --onlyvisible --pid "$app" --name "^The Chaos Game\$" 2>/dev/null | grep -qvx "$splash" \
    || fail "the installed program did not open its main window"
echo "package: $(basename "$deb") installs and the program opens"
