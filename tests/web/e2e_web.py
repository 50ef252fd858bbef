# SPDX-License-Identifier: GPL-3.0-or-later
"""The web program end to end: build/web served on 127.0.0.1 and driven in
headless Chromium as a user would, checked on screenshots with shotcheck.

    e2e_web.py WEB_DIR SHOTCHECK SHOT_DIR

Checks the page (name, version, licence, source link, manifest, service
worker), the start-up window, a key that opens the main window with its
seven buttons and their captions, the square game to "Complete" (Alt+S),
and the program starting again from the service worker's copy with the
server gone; between them the triangle's countdown while it runs, Alt+F
with "0.3" typed into the box, Ctrl+S downloading a PNG of the canvas, the
help closed with Escape, and the Chaos Explorer drawing the carpet and
downloading a large picture of it, the exploration kept in the page's
storage.
Prints the transfer size, the time to the start-up window and the time
each step took."""

import gzip
import json
import pathlib
import re
import subprocess
import sys
import time

from cdp import Browser, Server

# The screen is the page: 1024 x 768 CSS pixels at a device pixel ratio of 1.
SCREEN = (1024, 768)
SPLASH_SIZE = (535, 338)


class Failure(Exception):
    pass


def note(text):
    print("e2e-web: " + text, flush=True)


def check(condition, text):
    if not condition:
        raise Failure(text)


class Run:
    def __init__(self, web, shotcheck, shots):
        self.web, self.shotcheck, self.shots = web, shotcheck, shots

    def shot(self, name):
        path = self.shots / (name + ".png")
        self.browser.screenshot(path)
        return path

    def holds(self, *arguments):
        result = subprocess.run([str(self.shotcheck), *map(str, arguments)], capture_output=True, text=True)
        return result.returncode == 0, (result.stdout + result.stderr).strip()

    def wait_for(self, what, test, seconds, step=0.25):
        """Polls test() until it returns a true value; that value, or Failure."""
        deadline = time.time() + seconds
        while True:
            value = test()
            if value:
                return value
            if time.time() > deadline:
                raise Failure("%s did not happen within %d s" % (what, seconds))
            self.browser.pump(step)

    # --- The page ----------------------------------------------------------
    def page(self):
        html = (self.web / "index.html").read_text(encoding="utf-8")
        version = re.search(r"Version ([0-9][0-9.]*)", html)
        check(version, "the page does not name the version")
        check("<title>The Chaos Game</title>" in html, "the page is not titled The Chaos Game")
        check("GPL-3.0-or-later" in html, "the page does not name the licence")
        check(re.search(r'<a href="[^"]+">its source</a>', html), "the page does not link the source")
        manifest = json.loads((self.web / "manifest.webmanifest").read_text(encoding="utf-8"))
        sizes = {icon["sizes"] for icon in manifest["icons"]}
        check(manifest["name"] == "The Chaos Game" and {"192x192", "512x512"} <= sizes
              and manifest["display"] == "standalone", "the manifest cannot install the app")
        for icon in manifest["icons"]:
            check((self.web / icon["src"]).is_file(), "the manifest's icon %s is missing" % icon["src"])
        worker = (self.web / "service-worker.js").read_text(encoding="utf-8")
        for name in ("index.html", "chaos-game.js", "chaos-game.wasm", "manifest.webmanifest"):
            check('"./%s"' % name in worker, "the service worker does not keep " + name)
        raw = sum((self.web / f).stat().st_size for f in ("index.html", "chaos-game.js", "chaos-game.wasm"))
        packed = sum(len(gzip.compress((self.web / f).read_bytes(), 9))
                     for f in ("index.html", "chaos-game.js", "chaos-game.wasm"))
        note("transfer size: %.1f MB, %.1f MB with gzip (goal: under 10 MB)" % (raw / 1e6, packed / 1e6))
        return version.group(1)

    # --- The program -------------------------------------------------------
    def splash_at(self, path):
        """The start-up window's client origin if the shot shows it."""
        left = (SCREEN[0] - SPLASH_SIZE[0]) // 2
        top = (SCREEN[1] - SPLASH_SIZE[1]) // 2
        for dx in (0, -1, 1, -2, 2):
            for dy in (0, -1, 1, -2, 2):
                if self.holds("splash", path, left + dx, top + dy)[0]:
                    return left + dx, top + dy
        return None

    def start(self, url):
        started = time.time()
        self.browser.open(url)
        seen = self.wait_for("the start-up window", lambda: self.splash_at(self.shot("0-splash")), 120)
        took = time.time() - started
        check(self.browser.evaluate("document.getElementById('loading').hidden"), "the loading screen stays")
        return seen, took

    def main_window(self):
        """Presses a key in the start-up window; the main window's client area."""
        self.browser.press("Space")

        def shown():
            path = self.shot("1-main")
            if self.splash_at(path):
                return None
            # Full screen: the page is its client area, with no title bar.
            client = (0, 0, SCREEN[0], SCREEN[1])
            return client if self.holds("buttons", path, *client, 1)[0] else None

        client = self.wait_for("the main window with its seven buttons", shown, 20, step=0.5)
        layout = subprocess.run([str(self.shotcheck), "layout", str(client[2]), str(client[3]), "1"],
                                capture_output=True, text=True, check=True).stdout.split()
        canvas = (client[0] + int(layout[0]), client[1] + int(layout[1]), int(layout[2]), int(layout[3]))
        ok, why = self.holds("empty", self.shots / "1-main.png", *canvas)
        check(ok, "the canvas is not empty at start: " + why)
        return client, canvas

    def square(self, canvas):
        started = time.time()
        self.browser.press("Alt+s")
        self.wait_for("\"Complete\" after Alt+S",
                      lambda: self.holds("squarecomplete", self.shot("2-square"), *canvas)[0], 120, step=0.5)
        return time.time() - started

    def triangle_countdown(self, canvas):
        """Alt+P: the countdown shows and changes while the game runs."""
        started = time.time()
        self.browser.press("Alt+p")
        shots = []
        while time.time() - started < 30:
            self.browser.pump(0.4)
            path = self.shot("3-triangle-%02d" % len(shots))
            shots.append(path.read_bytes())
            if self.holds("complete", path, *canvas)[0]:
                break
        else:
            raise Failure("the triangle game did not complete within 30 s")
        took = time.time() - started
        check(len(set(shots)) >= 4, "the screen changed only %d times during the triangle game" % len(set(shots)))
        check(took > 6, "the triangle game took only %.1f s" % took)
        ok, why = self.holds("triangle", path, *canvas)
        check(ok, "the triangle is wrong: " + why)
        return took

    def fraction(self, canvas):
        self.browser.press("Alt+f")
        self.browser.pump(1)
        self.browser.type("0.3")
        self.browser.press("Enter")
        self.wait_for("the fractional game with 0.3",
                      lambda: self.holds("filled", self.shot("4-fractional"), *canvas)[0], 60, step=0.5)

    def save(self, canvas):
        """Ctrl+S: a PNG download that holds the canvas as the screen shows it."""
        shown = self.shot("5-before-saving")
        before = len(self.browser.downloaded())
        self.browser.press("Ctrl+s")
        self.wait_for("the download of the picture", lambda: len(self.browser.downloaded()) > before, 30)
        files = sorted(self.browser.downloads.iterdir(), key=lambda f: f.stat().st_mtime)
        check(files and files[-1].read_bytes().startswith(b"\x89PNG"), "the download is not a PNG")
        crop = self.shots / "5-canvas-shown.png"
        subprocess.run(["convert", str(shown), "-crop", "%dx%d+%d+%d" % (canvas[2], canvas[3], canvas[0], canvas[1]),
                        "+repage", str(crop)], check=True)
        compared = subprocess.run(["compare", "-metric", "AE", str(crop), str(files[-1]), "null:"],
                                  capture_output=True, text=True)
        differing = compared.stderr.strip()
        check(compared.returncode in (0, 1) and differing == "0",
              "the downloaded PNG differs from the canvas on the screen in %s pixels" % differing)
        return files[-1]

    def help_and_back(self):
        """F1 opens the help over the main window; once Escape closes it, keys reach the main window again."""
        before = self.shot("6-before-help").read_bytes()
        self.browser.press("F1")
        self.wait_for("the help over the main window", lambda: self.shot("6-help").read_bytes() != before, 15, step=0.5)
        self.browser.press("Escape")
        self.browser.pump(2)
        downloads = len(self.browser.downloaded())
        self.browser.press("Ctrl+s")
        self.wait_for("Ctrl+S acting after the help closed", lambda: len(self.browser.downloaded()) > downloads, 30)

    def white_pixels(self, shot):
        result = subprocess.run(["convert", str(shot), "-colorspace", "gray", "-threshold", "50%",
                                 "-format", "%[fx:round(mean*w*h)]", "info:"], capture_output=True, text=True, check=True)
        return int(result.stdout)

    def explorer(self):
        """Ctrl+E opens the Chaos Explorer; the carpet picked with the keyboard
        draws, Delete clears it; Ctrl+W closes it and the page's storage keeps it."""
        before = self.shot("7-before-explorer").read_bytes()
        self.browser.press("Ctrl+e")
        self.wait_for("the Chaos Explorer", lambda: self.shot("7-explorer").read_bytes() != before, 20, step=0.5)
        self.browser.pump(1)
        # triangle, square, square-no-repeat, carpet: three down from the first.
        for key in ("Alt+p", "Home", "Down", "Down", "Down"):
            self.browser.press(key)
        self.browser.pump(3)
        self.browser.press("Space")  # pause
        self.browser.pump(1)
        drawn = self.white_pixels(self.shot("7-carpet"))
        self.browser.press("Delete")
        self.browser.pump(1)
        cleared = self.white_pixels(self.shot("7-cleared"))
        check(cleared - drawn > 20000, "the Explorer drew %d dark pixels before Delete cleared it" % (cleared - drawn))
        self.large_picture()
        self.browser.press("Ctrl+w")
        self.wait_for("the exploration in the page's storage", lambda: "midpoints = yes" in self.stored(), 10)
        return cleared - drawn

    def large_picture(self):
        """Ctrl+L with 1000 by 800 typed in: drawn in slices, then downloaded at that size."""
        before = len(self.browser.downloaded())
        self.browser.press("Ctrl+l")
        self.browser.pump(1.5)
        for side in ("1000", "800"):
            self.browser.press("Ctrl+a")
            self.browser.type(side)
            self.browser.press("Tab")
        self.browser.press("Enter")
        self.wait_for("the large picture's download", lambda: len(self.browser.downloaded()) > before, 120)
        newest = sorted(self.browser.downloads.iterdir(), key=lambda f: f.stat().st_mtime)[-1]
        size = subprocess.run(["identify", "-format", "%wx%h", str(newest)], capture_output=True, text=True).stdout
        check(size == "1000x800", "the large picture %s is %s, not 1000x800" % (newest.name, size or "no picture"))
        mean = subprocess.run(["convert", str(newest), "-colorspace", "gray", "-format", "%[fx:mean]", "info:"],
                              capture_output=True, text=True, check=True).stdout
        check(float(mean) < 0.9, "the large picture is all but blank (mean grey %s)" % mean)
        self.browser.pump(1)

    def stored(self):
        return self.browser.evaluate("JSON.stringify(Object.assign({}, localStorage))") or ""

    def run(self):
        version = self.page()
        server = Server(self.web)
        self.browser = Browser()
        try:
            (sx, sy), took = self.start(server.url + "index.html")
            note("start-up window after %.1f s (version %s), at %d, %d" % (took, version, sx, sy))
            client, canvas = self.main_window()
            note("main window with its seven buttons; canvas interior at %d, %d, %d x %d" % canvas)
            note("the square game completed after %.1f s" % self.square(canvas))
            note("the triangle game counted down and completed after %.1f s" % self.triangle_countdown(canvas))
            self.fraction(canvas)
            note("Alt+F with 0.3 drew the figure")
            note("Ctrl+S downloaded %s, the canvas pixel for pixel" % self.save(canvas).name)
            self.help_and_back()
            note("F1 opened the help; after Escape, Ctrl+S acted in the main window again")
            note("Ctrl+E opened the Chaos Explorer; the carpet drew %d dark pixels, Delete cleared them; "
                 "Ctrl+L downloaded a 1000x800 picture" % self.explorer())

            # Again without a server: the service worker's copy starts it.
            check(self.browser.evaluate("navigator.serviceWorker.ready.then(() => true)"),
                  "no service worker")
            self.browser.pump(2)
            server.stop()
            server = None
            (sx, sy), took = self.start(self.browser.evaluate("location.href"))
            note("without a network, start-up window after %.1f s" % took)
            check("midpoints = yes" in self.stored(), "the page forgot the exploration when it was opened again")
            note("the exploration is still remembered when the page opens again")
        finally:
            if server:
                server.stop()
            (self.shots / "console.log").write_text("\n".join(self.browser.console) + "\n", encoding="utf-8")
            self.browser.close()
            self.browser.remove_profile()


def main():
    if len(sys.argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    web, shotcheck, shots = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3])
    shots.mkdir(parents=True, exist_ok=True)
    for old in shots.glob("*.png"):
        old.unlink()
    try:
        Run(web, shotcheck, shots).run()
    except Failure as failure:
        print("e2e-web: FAIL: %s (screenshots in %s)" % (failure, shots), file=sys.stderr)
        return 1
    note("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
