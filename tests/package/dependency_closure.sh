# SPDX-License-Identifier: GPL-3.0-or-later
# What a package's dependencies bring onto a system, and whether a running
# program loads anything from outside that. Sourced by check_package.sh.

# The packages installed here that a system holding DEPENDS would have: the
# dependencies, theirs in turn (any installed alternative, any installed
# provider of a virtual package), and the essential packages.
#   dependency_closure "libc6 (>= 2.34), libqt6core6 (>= 6.4.0), ..."
dependency_closure() {
    dpkg-query -W -f='${Package}\t${Essential}\t${Provides}\t${Pre-Depends}, ${Depends}\n' | awk -F'\t' -v seed="$1" '
        function bare(name) { sub(/^ +/, "", name); sub(/[ (].*/, "", name); sub(/:.*/, "", name); return name }
        function want(name,    n, i, p) {
            name = bare(name)
            if (name in installed) queue[++tail] = name
            n = split(providers[name], p, " ")
            for (i = 1; i <= n; ++i) queue[++tail] = p[i]
        }
        {
            installed[$1] = 1
            depends[$1] = $4
            if ($2 == "yes") queue[++tail] = $1
            n = split($3, provided, ",")
            for (i = 1; i <= n; ++i) if (bare(provided[i]) != "") providers[bare(provided[i])] = providers[bare(provided[i])] " " $1
        }
        END {
            n = split(seed, wanted, ",")
            for (i = 1; i <= n; ++i) { m = split(wanted[i], alternatives, "|"); for (j = 1; j <= m; ++j) want(alternatives[j]) }
            for (head = 1; head <= tail; ++head) {
                package = queue[head]
                if (package in seen) continue
                seen[package] = 1
                n = split(depends[package], clauses, ",")
                for (i = 1; i <= n; ++i) { m = split(clauses[i], alternatives, "|"); for (j = 1; j <= m; ++j) want(alternatives[j]) }
            }
            for (package in seen) print package
        }' | sort
}

# The files that process PID has mapped (its libraries, plugins and faces),
# each with the package that owns it; files that no package owns (caches,
# the program under test itself) are left out. On a merged /usr a library
# may be mapped as /usr/lib/... while its package lists /lib/...
#   owners_of_loaded_files PID  ->  "package path" lines
owners_of_loaded_files() {
    local files
    files=$(awk '$6 ~ /^\// { print $6 }' "/proc/$1/maps" | sort -u)
    local owners
    # dpkg -S fails when any one path is owned by no package.
    owners=$({ echo "$files"; echo "$files" | sed -n 's|^/usr/lib/|/lib/|p'; } | xargs -r dpkg -S 2>/dev/null || true)
    echo "$owners" | grep -v -e '^diversion by' -e '^$' \
        | sed -E 's|^([^:,]+)(:[^:,]+)?(, [^:]+)?: |\1 |; s| /lib/| /usr/lib/|' | sort -u
}
