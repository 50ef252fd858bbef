#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that every tracked source, script and CMake file names its licence
# in an SPDX line among its first lines.
set -euo pipefail
cd "$(dirname "$0")/.."

missing=$(git ls-files -- '*.cpp' '*.h' '*.h.in' '*.sh' '*.cmake' '*CMakeLists.txt' '.ci/run' \
          | while IFS= read -r file; do
                head -n 5 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' || echo "  $file"
            done)
if [ -n "$missing" ]; then
    echo "spdx: FAIL: these files lack '// SPDX-License-Identifier: GPL-3.0-or-later' (or '#'):" >&2
    echo "$missing" >&2
    exit 1
fi
echo "spdx: every source, script and CMake file carries its licence line"
