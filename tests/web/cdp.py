"""Headless Chromium driven over its DevTools protocol. The protocol is
spoken directly, through Debian's websocket client: no driver of its own to
install or keep in step with the browser."""

import json
import os
import subprocess
import time
import urllib.request

import websocket

from browser import KEYS, Browser

CHROMIUM = "/usr/bin/chromium"


class Chromium(Browser):
    """One headless Chromium with a fresh profile and one page."""

    engine = "chromium"

    def __init__(self, width=800, height=600, scale=1):
        super().__init__()
        self._start_process(
            [CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
             "--no-first-run", "--disable-background-networking", "--disable-component-update",
             "--disable-sync", f"--user-data-dir={self.profile}",
             "--remote-debugging-address=127.0.0.1", "--remote-debugging-port=0", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port = self._port()
        with urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list", timeout=10) as answer:
            page = next(t for t in json.load(answer) if t["type"] == "page")
        self.socket = websocket.create_connection(page["webSocketDebuggerUrl"], timeout=60,
                                                  suppress_origin=True)
        self.next_id = 0
        self.events = []
        self.send("Runtime.enable")
        self.send("Page.enable")
        self.send("Emulation.setDeviceMetricsOverride", width=width, height=height,
                  deviceScaleFactor=scale, mobile=False)

    def _port(self):
        active = os.path.join(self.profile, "DevToolsActivePort")
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            if os.path.exists(active):
                with open(active) as f:
                    first = f.readline().strip()
                if first:
                    return int(first)
            time.sleep(0.05)
        raise RuntimeError("Chromium did not open its debugging port")

    def send(self, method, **params):
        return self.send_all([(method, params)])[0]

    def send_all(self, commands):
        """Sends each (method, params) at once, which Chromium carries out in
        order, and returns their results."""
        first = self.next_id + 1
        for method, params in commands:
            self.next_id += 1
            self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        results = {}
        while len(results) < len(commands):
            message = json.loads(self.socket.recv())
            if message.get("id", 0) >= first:
                if "error" in message:
                    method = commands[message["id"] - first][0]
                    raise RuntimeError(f"{method}: {message['error']}")
                results[message["id"]] = message["result"]
            else:
                self._event(message)
        return [results[i] for i in range(first, self.next_id + 1)]

    def wait_event(self, method):
        """The parameters of the next event of that method, waiting for it."""
        while True:
            for i, (name, params) in enumerate(self.events):
                if name == method:
                    del self.events[i]
                    return params
            self._event(json.loads(self.socket.recv()))

    def _event(self, message):
        if "method" in message:
            self.events.append((message["method"], message.get("params", {})))
        if message.get("method") == "Runtime.consoleAPICalled":
            params = message["params"]
            text = " ".join(str(a.get("value", a.get("description", ""))) for a in params["args"])
            self.console.append((params["type"], text))
            if getattr(self, "echo", False):
                print(text, flush=True)

        if message.get("method") == "Runtime.exceptionThrown":
            details = message["params"]["exceptionDetails"]
            text = details.get("exception", {}).get("description", details.get("text"))
            self.console.append(("exception", text))
            if getattr(self, "echo", False):
                print(text, flush=True)

    def evaluate(self, expression):
        result = self.send("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def navigate(self, url):
        self.send("Page.navigate", url=url)

    # A person's input, through the browser's hit testing and key handling.
    def click(self, x, y):
        self.send_all([("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y, "button": "left",
                                                      "clickCount": 1})
                       for kind in ("mousePressed", "mouseReleased")])

    # Chromium carries out no editing command for a synthetic key with Control:
    # the test names the command the key stands for.
    COMMANDS = {"a": "selectAll", "c": "copy", "v": "paste", "x": "cut"}

    def key(self, key, shift=False, control=False, repeat=False):
        """A key pressed and released; with repeat, held until it repeats once."""
        code, key_code, text = KEYS[key]
        modifiers = (8 if shift else 0) | (2 if control else 0)
        if key == "Enter":
            text = "\r"
        elif len(key) != 1 or control:
            text = None
        down = {"type": "keyDown" if text else "rawKeyDown", "key": key, "code": code,
                "windowsVirtualKeyCode": key_code, "modifiers": modifiers}
        if text:
            down["text"] = text
        if control and key in self.COMMANDS:
            down["commands"] = [self.COMMANDS[key]]
        up = {"type": "keyUp", "key": key, "code": code, "windowsVirtualKeyCode": key_code,
              "modifiers": modifiers}
        strokes = [down, {**down, "autoRepeat": True}, up] if repeat else [down, up]
        self.send_all([("Input.dispatchKeyEvent", stroke) for stroke in strokes])

    def type(self, text):
        """Text typed key by key, each key carrying its character."""
        self.send_all([("Input.dispatchKeyEvent", {"type": kind, "key": letter, "text": letter})
                       for letter in text for kind in ("keyDown", "keyUp")])

    def _png(self):
        return self.send("Page.captureScreenshot", format="png")["data"]

    def accessible(self, role, name):
        for node in self.send("Accessibility.getFullAXTree")["nodes"]:
            if (not node.get("ignored") and node.get("role", {}).get("value") == role
                    and node.get("name", {}).get("value") == name):
                return True
        return False

    def clipboard(self):
        self.send("Browser.grantPermissions", permissions=["clipboardReadWrite"])
        return self.evaluate("navigator.clipboard.readText()")

    def close(self):
        try:
            self.socket.close()
        finally:
            self._end_process()
