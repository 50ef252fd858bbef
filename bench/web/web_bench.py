# SPDX-License-Identifier: GPL-3.0-or-later
"""The web program's figures beside the native program's: runs
chaos-webbench natively (offscreen) and in headless Chromium, and prints
each figure of both with their ratio, and the goals.

    web_bench.py WEB_BENCH_DIR NATIVE_WEBBENCH"""

import os
import pathlib
import re
import subprocess
import sys
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tests" / "web"))
from cdp import Browser, Server  # noqa: E402

FIGURE = re.compile(r"web-bench: (.*?) ([0-9.]+) (million dots a second|presentations a second|frames a second)$")


def figures(lines):
    found = {}
    for line in lines:
        match = FIGURE.search(line)
        if match:
            unit = match.group(3)
            found[match.group(1) + ", " + unit] = float(match.group(2))
    return found


def native(program):
    environment = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    result = subprocess.run([program], capture_output=True, text=True, env=environment, timeout=120)
    return figures(result.stdout.splitlines())


def in_browser(folder):
    server = Server(folder)
    browser = Browser()
    try:
        browser.open(server.url + "chaos-webbench.html")
        deadline = time.time() + 180
        while not any("web-bench: done" in line for line in browser.console):
            if time.time() > deadline:
                raise SystemExit("web-bench: the browser's run did not end within 180 s:\n"
                                 + "\n".join(browser.console))
            browser.pump(0.5)
        return figures(browser.console)
    finally:
        server.stop()
        browser.close()
        browser.remove_profile()


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    web = in_browser(pathlib.Path(sys.argv[1]))
    here = native(sys.argv[2])
    print("The program in headless Chromium against the native program (offscreen), same code:")
    print("  %-58s %9s %9s %6s" % ("", "browser", "native", "ratio"))
    for name, value in web.items():
        mine = here.get(name)
        ratio = "%.2f" % (value / mine) if mine else "-"
        print("  %-58s %9.2f %9s %6s" % (name, value, "%.2f" % mine if mine else "-", ratio))
    print("Goals: the square game at least half as fast as natively; at least 55 presentations a second.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
