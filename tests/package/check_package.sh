#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package as a desktop would meet it: its files and their
# validity, one version everywhere, its dependencies, that the installed
# program opens on a real X server with the toolkit's own options, loading
# nothing from outside what its dependencies bring, and that its windows'
# WM_CLASS is the one its launcher entry names. The package is unpacked
# into a scratch root, not installed.
#
#   check_package.sh PACKAGE.deb
set -euo pipefail
deb=$1
fail() { echo "package: FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/../e2e/xsession.sh"
source "$(dirname "$0")/dependency_closure.sh"

root=$(mktemp -d)
pids=()
trap 'cleanup; rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

id=org.example.ChaosGame
entry="$root/usr/share/applications/$id.desktop"
metainfo="$root/usr/share/metainfo/$id.metainfo.xml"
manual="$root/usr/share/man/man1/chaos-game.1.gz"
for file in usr/bin/chaos-game "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml" \
            "usr/share/icons/hicolor/scalable/apps/$id.svg" "usr/share/icons/hicolor/48x48/apps/$id.png" \
            "usr/share/icons/hicolor/256x256/apps/$id.png" usr/share/man/man1/chaos-game.1.gz \
            usr/share/doc/chaos-game/copyright usr/share/doc/chaos-game/changelog.gz; do
    [ -s "$root/$file" ] || fail "the package lacks $file"
done
desktop-file-validate "$entry" || fail "the launcher entry is not valid"
# .chaos files: a type of their own, which the launcher entry opens.
mime="$root/usr/share/mime/packages/$id.xml"
[ -s "$mime" ] || fail "the package lacks usr/share/mime/packages/$id.xml"
xmllint --noout "$mime" || fail "the type of .chaos files is not well-formed XML"
mimedb="$root/scratch/share/mime"
mkdir -p "$mimedb/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$mime" "$mimedb/packages/"
problems=$(XDG_DATA_DIRS="$root/scratch/share" update-mime-database "$mimedb" 2>&1) && [ -z "$problems" ] \
    || fail "update-mime-database does not take the type of .chaos files: $problems"
grep -qx '50:application/x-chaos-exploration:\*\.chaos' "$mimedb/globs2" \
    || fail "the type does not claim *.chaos: $(grep chaos "$mimedb/globs2")"
grep -qx 'MimeType=application/x-chaos-exploration;' "$entry" || fail "the launcher entry does not open .chaos files"
grep -qx 'Exec=chaos-game %F' "$entry" || fail "the launcher entry does not pass the files it opens"
appstreamcli validate --no-net "$metainfo" >/dev/null || fail "the metainfo is not valid"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" || fail "the metainfo names no licence"

# One version: the package's, the program's, the metainfo's newest
# release, the manual page's and the changelog's newest entry.
version=$(dpkg-deb -f "$deb" Version)
[ "$("$root/usr/bin/chaos-game" --version | head -n 1)" = "The Chaos Game $version" ] \
    || fail "the program's --version is not $version"
grep -qF "<release version=\"$version\"" <<<"$(grep -m 1 '<release ' "$metainfo")" \
    || fail "the metainfo's newest release is not $version"
grep -qF "\"chaos-game $version\"" <<<"$(zcat "$manual" | sed -n '/^\.TH/p')" || fail "the manual page is not for $version"
# The manual page lists the keys --help lists, both from the program's list.
keys=$("$root/usr/bin/chaos-game" --help | sed -n '/^Keys:$/,$p' | sed -n 's/^    \([^ ].*[^ ]\)\(  .*\)\?$/\1/p' | sed 's/  .*//')
[ "$(wc -l <<<"$keys")" -ge 15 ] || fail "--help lists too few keys: $keys"
page=$(zcat "$manual" | sed -n '/^\.SH KEYS/,/^\.SH /p')
while IFS= read -r key; do
    grep -qF "\"${key%%, *}\"" <<<"$page" || fail "the manual page does not list $key"
done <<<"$keys"
[ "$(zcat "$root/usr/share/doc/chaos-game/changelog.gz" | sed -n 1p)" = "chaos-game ($version) unstable; urgency=medium" ] \
    || fail "the changelog's newest entry is not $version"

depends=$(dpkg-deb -f "$deb" Depends)
echo "package: Depends: $depends"
echo "package: Recommends: $(dpkg-deb -f "$deb" Recommends)"
for dependency in $(echo "$depends" | tr ',' '\n' | sed 's/(.*)//; s/|.*//'); do
    dpkg-query -W "$dependency" >/dev/null 2>&1 || apt-cache show "$dependency" >/dev/null 2>&1 \
        || fail "Debian has no package $dependency"
done
for needed in libqt6widgets6 libqt6gui6 libqt6core6; do
    grep -q "$needed" <<<"$depends" || fail "the package does not depend on $needed"
done
# Debian 12's qt6-qpa-plugins holds no plugin the program uses (the X11
# one is in libqt6gui6). The faces are Debian's Liberation Sans 2, not a
# copy in the package, nor version 1 (fonts-liberation), which measures
# differently.
grep -qw fonts-liberation2 <<<"$depends" || fail "the package does not depend on fonts-liberation2"
for needless in qt6-qpa-plugins 'fonts-liberation([^2]|$)'; do
    ! grep -qE "$needless" <<<"$depends" || fail "the package depends on $needless"
done
! dpkg-deb -c "$deb" | grep -qiE '\.(ttf|otf)$' || fail "the package carries font files"

grep -q qt6-wayland <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "the package does not recommend qt6-wayland"
! grep "not found" <<<"$(ldd "$root/usr/bin/chaos-game")" || fail "the program misses a library"
bash "$(dirname "$0")/check_hardening.sh" "$root/usr/bin/chaos-game"
! grep -q '\.symtab' <<<"$(readelf -S "$root/usr/bin/chaos-game")" || fail "the packaged program is not stripped"

# Started with the toolkit's own options, which must keep working.
start_x_session
"$root/usr/bin/chaos-game" -platform xcb -style Fusion >/dev/null 2>&1 &
app=$!
pids+=($app)
splash=$(window_sized 535x338 "$app") || fail "the installed program did not open its start-up window"

# The desktop ties a window to its launcher by WM_CLASS.
startup_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
[ -n "$startup_class" ] || fail "the launcher entry names no StartupWMClass"
window_class() { xprop -id "$1" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = "[^"]*", "\(.*\)"$/\1/p'; }
[ "$(window_class "$splash")" = "$startup_class" ] \
    || fail "the start-up window's WM_CLASS is '$(xprop -id "$splash" WM_CLASS)', not '$startup_class'"

xdotool windowactivate --sync "$splash" >/dev/null 2>&1 || true
xdotool key space
main=""
for _ in $(seq 100); do
    main=$(xdotool search --onlyvisible --pid "$app" --name "^The Chaos Game\$" 2>/dev/null | grep -vx "$splash" | head -n 1) \
        && [ -n "$main" ] && break
    sleep 0.1
done
[ -n "$main" ] || fail "the installed program did not open its main window"
[ "$(window_class "$main")" = "$startup_class" ] \
    || fail "the main window's WM_CLASS is '$(xprop -id "$main" WM_CLASS)', not '$startup_class'"
echo "package: WM_CLASS $(xprop -id "$main" WM_CLASS | sed 's/.*= //') matches StartupWMClass=$startup_class"

# Everything the running program has loaded comes from its dependencies,
# but for what the X11 plugin loads only if it is there: libXcursor (with
# the libXrender it needs) for themed cursors.
closure=$(dependency_closure "$depends"; printf '%s\n' libxcursor1 libxrender1)
outside=$(owners_of_loaded_files "$app" | while read -r package path; do
              grep -qx "$package" <<<"$closure" || echo "  $path ($package)"
          done)
[ -z "$outside" ] || fail "the program loaded files from packages it does not depend on:
$outside"
faces=$(owners_of_loaded_files "$app" | awk '$1 == "fonts-liberation2" && $2 ~ /LiberationSans-/ { print $2 }')
[ -n "$faces" ] || fail "the program did not load Liberation Sans from fonts-liberation2"
echo "package: the program's faces: $(echo $faces)"
echo "package: $(basename "$deb") installs, the program opens and loads only what its dependencies bring"
