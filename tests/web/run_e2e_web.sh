#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The web program end to end: serves the web folder on 127.0.0.1 and drives
# it in headless Chromium through the DevTools protocol (tests/web/e2e_web.py),
# checking screenshots with the desktop tests' shotcheck. Installs what it
# needs (Chromium, Python's WebSocket client, ImageMagick) when missing.
#
#   run_e2e_web.sh [WEB_DIR [SHOTCHECK [SHOT_DIR]]]
#
# By default build/web (scripts/build-web.sh), build/check/tests/shotcheck
# (scripts/check.sh) and build/web-e2e-shots.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
source "$root/scripts/deps.sh"
chaos_install_missing "${CHAOS_WEB_TEST_PACKAGES[@]}" imagemagick

positional=("$@")
web=${positional[0]:-$root/build/web}
shotcheck=${positional[1]:-$root/build/check/tests/shotcheck}
shots=${positional[2]:-$root/build/web-e2e-shots}
[ -f "$web/index.html" ] || { echo "e2e-web: no $web/index.html: run scripts/build-web.sh" >&2; exit 2; }
[ -x "$shotcheck" ] || { echo "e2e-web: no $shotcheck: build the shotcheck target" >&2; exit 2; }

# Debian's Python, which has Debian's WebSocket client, whatever python3
# comes first on the PATH.
exec /usr/bin/python3 "$here/e2e_web.py" "$web" "$shotcheck" "$shots"
