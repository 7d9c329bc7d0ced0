"""Headless Firefox driven over WebDriver BiDi, which Firefox itself serves on
its remote debugging port: the same websocket client as for Chromium, and no
driver to install."""

import json
import re
import subprocess
import threading

import websocket

import webdriver_actions
from browser import Browser

FIREFOX = "/usr/bin/firefox-esr"


class Firefox(Browser):
    """One headless Firefox with a fresh profile and one page."""

    engine = "firefox"

    def __init__(self, width=800, height=600, scale=1):
        super().__init__()
        self._start_process(
            [FIREFOX, "--headless", "--no-remote", "--profile", self.profile,
             "--remote-debugging-port=0", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        # Firefox says where it listens once it does; the rest of what it
        # writes is read on and dropped, so that it never waits on the pipe.
        address = None
        for line in self.process.stderr:
            found = re.search(r"WebDriver BiDi listening on (ws://\S+)", line)
            if found:
                address = found.group(1)
                break
        if not address:
            raise RuntimeError("Firefox ended without opening its WebDriver BiDi port")
        threading.Thread(target=self.process.stderr.read, daemon=True).start()
        self.socket = websocket.create_connection(address + "/session", timeout=60,
                                                  suppress_origin=True)
        self.next_id = 0
        self.send("session.new", capabilities={})
        self.context = self.send("browsingContext.getTree")["contexts"][0]["context"]
        self.send("session.subscribe", events=["log.entryAdded"])
        self.send("browsingContext.setViewport", context=self.context,
                  viewport={"width": width, "height": height}, devicePixelRatio=scale)

    def send(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == self.next_id:
                if message.get("type") == "error":
                    raise RuntimeError(f"{method}: {message.get('error')}: {message.get('message')}")
                return message["result"]
            if message.get("method") == "log.entryAdded":
                entry = message["params"]
                kind = "exception" if entry.get("type") == "javascript" else entry.get("level")
                self.console.append((kind, entry.get("text")))

    def navigate(self, url):
        self.send("browsingContext.navigate", context=self.context, url=url, wait="interactive")

    def evaluate(self, expression):
        result = self.send("script.evaluate", target={"context": self.context}, awaitPromise=True,
                           expression=f"(async () => JSON.stringify(await ({expression})))()")
        if result["type"] == "exception":
            raise RuntimeError(f"{expression}: {result['exceptionDetails']['text']}")
        value = result["result"]
        return json.loads(value["value"]) if value["type"] == "string" else None

    def click(self, x, y):
        self.send("input.performActions", context=self.context,
                  actions=webdriver_actions.click(x, y))

    def key(self, key, shift=False, control=False):
        self.send("input.performActions", context=self.context,
                  actions=webdriver_actions.key(key, shift, control))

    def _png(self):
        return self.send("browsingContext.captureScreenshot", context=self.context)["data"]

    def accessible(self, role, name):
        found = self.send("browsingContext.locateNodes", context=self.context,
                          locator={"type": "accessibility", "value": {"role": role, "name": name}})
        return bool(found["nodes"])

    # Firefox grants automation no clipboard permission, and headless it keeps
    # a clipboard of its own that nothing outside reads.
    def clipboard(self):
        return None

    def close(self):
        try:
            self.send("browser.close")
            self.socket.close()
        except (OSError, RuntimeError, websocket.WebSocketException):
            pass
        finally:
            self._end_process()
