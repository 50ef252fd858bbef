#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Qt for 64-bit Windows as static libraries, from the source of the
# very Qt version this machine's Debian packages provide, and installs it
# into a cache folder outside the work tree. Sourced by build-windows.sh.
#
#   CHAOS_WINDOWS_QT        where the static Qt goes (default below:
#                           /var/cache/chaos-game/, else ~/.cache/chaos-game/)
#   CHAOS_WINDOWS_QT_SRC    where its source is fetched and built
#
# A stamp file in the installed Qt records the source version, the compiler
# and the configure flags; a later run with the same ones reuses the cache
# as it is.
set -euo pipefail

# The Debian source version of the Qt the Linux build uses, e.g. 6.4.2+dfsg-10.
chaos_qt_source_version() {
    dpkg-query -W -f='${source:Version}' qt6-base-dev
}

# The machine's cache folder, or the user's own where that is not writable.
chaos_qt_cache_default() {
    local version base=/var/cache/chaos-game
    version=$(chaos_qt_source_version)
    if ! mkdir -p "$base" 2>/dev/null || [ ! -w "$base" ]; then
        base=${XDG_CACHE_HOME:-$HOME/.cache}/chaos-game
    fi
    echo "$base/qt-${version//+/-}-mingw64-static"
}

# Everything the program links, and nothing more: Core, Gui, Widgets,
# PrintSupport and Concurrent, the Windows platform plugin and the JPEG
# image format plugin. Bundled third-party libraries, so that none of the
# build machine's headers leak in. The Debian source lacks the tablet
# header the Windows plugin would include, so tablet events are off. The
# program paints with the raster engine only: no OpenGL. (Direct2D stays: Qt
# 6.4's Windows plugin takes its DirectWrite fonts from the same switch.)
CHAOS_QT_CONFIGURE_FLAGS=(
    -xplatform win32-g++ -static -release -opensource -confirm-license
    -qt-host-path /usr
    -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre
    -no-feature-tabletevent -no-opengl
    -nomake examples -nomake tests -nomake benchmarks
    -no-feature-sql -no-feature-network -no-feature-testlib -no-feature-xml
    -no-feature-dbus -no-feature-zstd
)

# Adds, from this machine's own apt configuration, the source entry that
# matches the binary entry the installed Qt came from, so that
# `apt-get source` finds the same version. Writes nothing when apt already
# knows the source.
chaos_add_qt_source_entry() {
    local version
    version=$(chaos_qt_source_version)
    if apt-cache showsrc qt6-base 2>/dev/null | grep -qx "Version: $version"; then
        return 0
    fi
    # The archive the installed binary package came from, as apt lists it.
    local uri
    uri=$(apt-cache policy qt6-base-dev | awk '/^ +[0-9]+ +(https?|file|ftp):/ { print $2; exit }')
    [ -n "$uri" ] || { echo "windows-qt: cannot tell where qt6-base-dev comes from" >&2; return 1; }

    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    local entries
    entries=$(
        # deb822 files: copy each enabled stanza of type deb that names this
        # archive, as a stanza of type deb-src.
        for file in /etc/apt/sources.list.d/*.sources; do
            [ -e "$file" ] || continue
            awk -v uri="$uri" 'BEGIN { RS = ""; ORS = "\n\n" }
                /(^|\n)Enabled: *no/ { next }
                {
                    n = split($0, line, "\n"); deb = 0; match_uri = 0; out = ""
                    for (i = 1; i <= n; i++) {
                        if (line[i] ~ /^#/) continue
                        if (line[i] ~ /^Types:/) {
                            if (line[i] ~ /[ \t]deb([ \t]|$)/) deb = 1
                            line[i] = "Types: deb-src"
                        }
                        if (line[i] ~ /^URIs:/) {
                            m = split(line[i], u, /[ \t]+/)
                            for (j = 2; j <= m; j++) { sub(/\/$/, "", u[j]); if (u[j] == uri) match_uri = 1 }
                        }
                        out = out line[i] "\n"
                    }
                    if (deb && match_uri) printf "%s", out "\n"
                }' "$file"
        done
        # One-line files: each deb line for this archive, as a deb-src line.
        for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
            [ -e "$file" ] || continue
            awk -v uri="$uri" '$1 == "deb" {
                    for (i = 2; i <= NF; i++) if ($i !~ /^\[/ && $i !~ /\]$/) { u = $i; break }
                    sub(/\/$/, "", u)
                    if (u == uri) { $1 = "deb-src"; print }
                }' "$file" | sed 's/^/#one-line /'
        done
    )
    [ -n "$entries" ] || { echo "windows-qt: no apt entry for $uri to derive a source entry from" >&2; return 1; }
    echo "windows-qt: adding source entries for $uri"
    printf '%s\n' "$entries" | grep -v '^#one-line ' \
        | $sudo tee /etc/apt/sources.list.d/chaos-game-qt-source.sources >/dev/null
    if printf '%s\n' "$entries" | grep -q '^#one-line '; then
        printf '%s\n' "$entries" | sed -n 's/^#one-line //p' \
            | $sudo tee /etc/apt/sources.list.d/chaos-game-qt-source.list >/dev/null
    fi
    $sudo apt-get update -qq
}

# Fetches and unpacks (with Debian's patches applied) the qt6-base source
# of the installed version into $1; prints the source folder.
chaos_fetch_qt_source() {
    local dir=$1 version
    version=$(chaos_qt_source_version)
    local upstream=${version%-*}
    upstream=${upstream#*:}
    local tree="$dir/qt6-base-$upstream"
    if [ ! -f "$tree/.chaos-unpacked-$version" ]; then
        chaos_add_qt_source_entry >&2
        mkdir -p "$dir"
        (cd "$dir" && rm -rf qt6-base-* qt6-base_* \
            && apt-get source -qq "qt6-base=$version" >&2)
        touch "$tree/.chaos-unpacked-$version"
    fi
    echo "$tree"
}

# What the static Qt is built from: the source version, the compiler and
# the configure flags, one a line.
chaos_qt_stamp() {
    printf '%s\n' "qt6-base $(chaos_qt_source_version)" \
        "compiler: $(x86_64-w64-mingw32-g++-posix -dumpfullversion)" "${CHAOS_QT_CONFIGURE_FLAGS[@]}"
}

# Makes sure the static Qt is in $CHAOS_WINDOWS_QT: reuses it when its stamp
# matches, builds it otherwise. $1: the toolchain file.
chaos_build_windows_qt() {
    local toolchain=$1
    local prefix=${CHAOS_WINDOWS_QT:-$(chaos_qt_cache_default)}
    local srcdir=${CHAOS_WINDOWS_QT_SRC:-$prefix-src}
    local stamp="$prefix/chaos-game-qt.stamp"
    local wanted
    wanted=$(chaos_qt_stamp)
    if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$wanted" ]; then
        echo "windows-qt: reusing the static Qt in $prefix"
        return 0
    fi

    local start=$SECONDS
    echo "windows-qt: building a static Qt for Windows into $prefix (about 15 to 30 minutes)"
    local tree
    tree=$(chaos_fetch_qt_source "$srcdir")
    local build="$srcdir/build"
    rm -rf "$build" "$prefix"
    mkdir -p "$build"
    (
        cd "$build"
        "$tree/configure" -prefix "$prefix" "${CHAOS_QT_CONFIGURE_FLAGS[@]}" -- \
            -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake"
        cmake --build . --parallel 2
        cmake --install .
    )
    # The object files (some 4 GB) are of no further use; the source stays
    # for the licence notices.
    rm -rf "$build"
    printf '%s\n' "$wanted" > "$stamp"
    echo "windows-qt: static Qt built in $((SECONDS - start)) s"
}

# Copies the Debian source package Qt is built from (its .dsc, upstream
# tarball and Debian changes) from the source cache of the Qt in $1 into $2.
chaos_qt_source_files() {
    local prefix=$1 dest=$2
    local srcdir=${CHAOS_WINDOWS_QT_SRC:-$prefix-src}
    chaos_fetch_qt_source "$srcdir" >/dev/null
    cp "$srcdir"/qt6-base_*.dsc "$srcdir"/qt6-base_*.tar.* "$dest/"
}

# Writes into $2 the licence notices that a program linked statically with
# the Qt in $1 carries: the texts of the licences Qt is taken under and, from
# the qt_attribution.json files, every third-party component of the parts
# of Qt that are built, with its version, licence, copyright and licence file.
chaos_qt_notices() {
    local prefix=$1 dest=$2
    local srcdir=${CHAOS_WINDOWS_QT_SRC:-$prefix-src}
    local tree version
    tree=$(chaos_fetch_qt_source "$srcdir")
    version=$(chaos_qt_source_version)
    mkdir -p "$dest"
    # The terms the program takes Qt under (the LGPL v3, which builds on
    # the GPL v3); not Qt's other offers (GPL v2, commercial), nor the
    # licences of parts that are not built in (those of the components
    # that are come with them below).
    cp "$tree"/LICENSES/LGPL-3.0-only.txt "$tree"/LICENSES/GPL-3.0-only.txt "$dest/"
    /usr/bin/python3 - "$tree" "$dest" "$version" <<'PYTHON'
import json, pathlib, shutil, sys

tree, dest, version = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]), sys.argv[3]
# Parts of the source that this static build does not compile in.
unused = ("wasm", "xcb", "android", "gradle", "cocoa", "forkfd", "libpsl", "VulkanMemoryAllocator",
          "src/network", "src/testlib", "src/dbus", "src/gui/vulkan", "src/gui/opengl")
# Components of a built part that only other platforms compile in.
unused_ids = ("qeventdispatcher_cf",)
lines = [
    f"The Chaos Game for Windows contains Qt {version.split('+')[0]} (the qtbase module: Qt Core,",
    "Qt GUI, Qt Widgets, Qt Print Support, Qt Concurrent and their plugins), linked",
    "statically, under the GNU Lesser General Public License v3 (LGPL-3.0-only.txt),",
    "which builds on the GNU GPL v3 (GPL-3.0-only.txt).",
    "Copyright (C) The Qt Company Ltd. and other contributors.",
    "",
    f"It was built from Debian's source package qt6-base {version}, handed out",
    "beside the program's zip. SOURCE.txt, beside this folder, says where Qt's and",
    "the program's source are, the options Qt was configured with, and how to link",
    "the program again with a Qt you changed.",
    "",
    "Qt contains these third-party components; their licence texts are in this",
    "folder under the names given.",
    "",
]
for path in sorted(tree.glob("src/**/qt_attribution.json")):
    where = str(path.relative_to(tree))
    if any(part in where for part in unused):
        continue
    entries = json.loads(path.read_text(encoding="utf-8"), strict=False)
    for entry in entries if isinstance(entries, list) else [entries]:
        if entry.get("Id") in unused_ids:
            continue
        licence_files = []
        for name in [entry.get("LicenseFile", "")] + entry.get("LicenseFiles", []):
            source = path.parent / name if name else None
            if source and source.is_file():
                target = f"{entry['Id']}-{source.name}"
                if not target.lower().endswith(".txt"):
                    target += ".txt"
                shutil.copyfile(source, dest / target)
                licence_files.append(target)
        lines += [f"{entry['Name']} {entry.get('Version', '')}".rstrip(),
                  f"  Licence: {entry.get('License', '')} ({entry.get('LicenseId', '')})"]
        lines += [f"  {line.strip()}" for line in entry.get("Copyright", "").splitlines() if line.strip()]
        if licence_files:
            lines.append(f"  Licence text: {', '.join(licence_files)}")
        lines.append("")
(dest / "README-Qt.txt").write_text("\n".join(lines), encoding="utf-8")
PYTHON
}
