# SPDX-License-Identifier: GPL-3.0-or-later
"""The web program's folder served on 127.0.0.1, and headless Chromium
driven through its DevTools protocol: pages, keys, screenshots, downloads."""

import base64
import functools
import http.server
import itertools
import json
import os
import pathlib
import shutil
import socketserver
import subprocess
import tempfile
import threading
import time
import urllib.request

import websocket


class Server:
    """A static file server of one folder on a free port of 127.0.0.1, as
    `python3 -m http.server` serves it, counting the bytes it sends."""

    def __init__(self, folder):
        handler = functools.partial(_QuietHandler, directory=str(folder))
        self._httpd = socketserver.ThreadingTCPServer(("127.0.0.1", 0), handler)
        self._httpd.daemon_threads = True
        self.url = "http://127.0.0.1:%d/" % self._httpd.server_address[1]
        threading.Thread(target=self._httpd.serve_forever, daemon=True).start()

    def stop(self):
        self._httpd.shutdown()
        self._httpd.server_close()


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
                      ".js": "text/javascript"}

    def log_message(self, *args):
        pass


class Browser:
    """Headless Chromium with a fresh profile, and one page of it."""

    FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--remote-debugging-port=0", "--window-size=1024,768", "--hide-scrollbars",
             "--force-device-scale-factor=1"]

    def __init__(self, chromium="chromium"):
        self.profile = tempfile.mkdtemp(prefix="chaos-web-e2e-")
        self.downloads = pathlib.Path(self.profile) / "downloads"
        self.downloads.mkdir()
        self.log = open(pathlib.Path(self.profile) / "chromium.log", "w")
        self.process = subprocess.Popen(
            [chromium, *self.FLAGS, "--user-data-dir=" + self.profile, "about:blank"],
            stdout=self.log, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)
        port_file = pathlib.Path(self.profile) / "DevToolsActivePort"
        deadline = time.time() + 60
        while not port_file.exists() or len(port_file.read_text().split()) < 2:
            if self.process.poll() is not None or time.time() > deadline:
                raise RuntimeError("chromium did not start: see " + self.log.name)
            time.sleep(0.1)
        port = port_file.read_text().split()[0]
        targets = json.load(urllib.request.urlopen("http://127.0.0.1:%s/json/list" % port))
        page = next(t for t in targets if t["type"] == "page")
        self._socket = websocket.create_connection(page["webSocketDebuggerUrl"], timeout=120,
                                                   suppress_origin=True)
        self._ids = itertools.count(1)
        self.events = []
        self.console = []
        self.call("Page.enable")
        self.call("Runtime.enable")
        self.call("Emulation.setDeviceMetricsOverride", width=1024, height=768, deviceScaleFactor=1,
                  mobile=False)
        self.call("Browser.setDownloadBehavior", behavior="allow", downloadPath=str(self.downloads),
                  eventsEnabled=True)

    def close(self):
        try:
            self._socket.close()
        finally:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
            self.log.close()

    def _receive(self):
        message = json.loads(self._socket.recv())
        if "method" in message:
            self.events.append(message)
            if message["method"] == "Runtime.consoleAPICalled":
                self.console.append(" ".join(str(a.get("value", a.get("description", "")))
                                             for a in message["params"]["args"]))
            elif message["method"] == "Runtime.exceptionThrown":
                details = message["params"]["exceptionDetails"]
                self.console.append("exception: " + details.get("exception", {}).get(
                    "description", details.get("text", "")))
        return message

    def call(self, method, **params):
        number = next(self._ids)
        self._socket.send(json.dumps({"id": number, "method": method, "params": params}))
        while True:
            message = self._receive()
            if message.get("id") == number:
                if "error" in message:
                    raise RuntimeError("%s: %s" % (method, message["error"]))
                return message.get("result", {})

    def pump(self, seconds):
        """Takes the browser's events for a while."""
        deadline = time.time() + seconds
        self._socket.settimeout(0.05)
        try:
            while time.time() < deadline:
                try:
                    self._receive()
                except websocket.WebSocketTimeoutException:
                    pass
        finally:
            self._socket.settimeout(120)

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError("%s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def open(self, url):
        self.call("Page.navigate", url=url)

    def screenshot(self, path):
        # Right after a navigation the page may not be there to shoot yet.
        for attempt in range(50):
            try:
                data = self.call("Page.captureScreenshot", format="png")["data"]
                break
            except RuntimeError as error:
                if "Not attached" not in str(error) or attempt == 49:
                    raise
                self.pump(0.2)
        pathlib.Path(path).write_bytes(base64.b64decode(data))

    # Keys as a user types them: the DOM key, its code and Windows key code.
    KEYS = {
        "Enter": ("Enter", "Enter", 13, "\r"), "Space": (" ", "Space", 32, " "),
        "Escape": ("Escape", "Escape", 27, ""), "Tab": ("Tab", "Tab", 9, ""),
        "F1": ("F1", "F1", 112, ""), "Backspace": ("Backspace", "Backspace", 8, ""),
        "Home": ("Home", "Home", 36, ""), "Down": ("ArrowDown", "ArrowDown", 40, ""),
        "Delete": ("Delete", "Delete", 46, ""),
    }
    MODIFIERS = {"Alt": (1, "Alt", "AltLeft", 18), "Ctrl": (2, "Control", "ControlLeft", 17),
                 "Shift": (8, "Shift", "ShiftLeft", 16)}

    def _key_of(self, name):
        if name in self.KEYS:
            return self.KEYS[name]
        if len(name) == 1:
            upper = name.upper()
            if name.isalpha():
                return name, "Key" + upper, ord(upper), name
            if name.isdigit():
                return name, "Digit" + name, ord(name), name
            if name == ".":
                return ".", "Period", 190, "."
            if name == "/":
                return "/", "Slash", 191, "/"
        raise ValueError("no such key: " + name)

    def press(self, combination):
        """Presses and releases a key such as "a", "Enter", "Alt+s", "Ctrl+s"."""
        *modifiers, name = combination.split("+")
        mask = 0
        for modifier in modifiers:
            bit, key, code, vk = self.MODIFIERS[modifier]
            mask |= bit
            self.call("Input.dispatchKeyEvent", type="rawKeyDown", modifiers=mask, key=key, code=code,
                      windowsVirtualKeyCode=vk)
        key, code, vk, text = self._key_of(name)
        down = {"modifiers": mask, "key": key, "code": code, "windowsVirtualKeyCode": vk}
        if text and not (mask & 3):
            self.call("Input.dispatchKeyEvent", type="keyDown", text=text, unmodifiedText=text, **down)
        else:
            self.call("Input.dispatchKeyEvent", type="rawKeyDown", **down)
        self.call("Input.dispatchKeyEvent", type="keyUp", **down)
        for modifier in reversed(modifiers):
            bit, key, code, vk = self.MODIFIERS[modifier]
            mask &= ~bit
            self.call("Input.dispatchKeyEvent", type="keyUp", modifiers=mask, key=key, code=code,
                      windowsVirtualKeyCode=vk)

    def type(self, text):
        for character in text:
            self.press(character)

    def click(self, x, y):
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)

    def downloaded(self):
        """The names of the downloads that have completed."""
        return [e["params"]["guid"] for e in self.events
                if e["method"] == "Browser.downloadProgress" and e["params"]["state"] == "completed"]

    def remove_profile(self):
        shutil.rmtree(self.profile, ignore_errors=True)
