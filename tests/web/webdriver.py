"""WebKitGTK's MiniBrowser driven through WebKitWebDriver, classic WebDriver
over HTTP, with nothing but urllib. WebKitGTK draws into a real window: the
test gives it an X display of its own (on_private_display.sh). WebDriver
carries no console: a hook in the page keeps it (WebKit.HOOK)."""

import json
import os
import socket
import subprocess
import sysconfig
import time
import urllib.error
import urllib.request

import webdriver_actions
from browser import Browser

DRIVER = "/usr/bin/WebKitWebDriver"
# In the library folder of this machine's own architecture, as Debian's Python names it.
MINIBROWSER = f"/usr/lib/{sysconfig.get_config_var('MULTIARCH')}/webkit2gtk-4.1/MiniBrowser"
ELEMENT = "element-6066-11e4-a52e-4f735466cecf"


class WebKit(Browser):
    """One MiniBrowser with a fresh profile and one page, on $DISPLAY."""

    engine = "webkit"

    def __init__(self, width=800, height=600, scale=1):
        if not os.environ.get("DISPLAY"):
            raise RuntimeError("WebKitGTK needs a display: run the test on_private_display.sh")
        super().__init__()
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            port = probe.getsockname()[1]
        # MiniBrowser inherits the driver's environment: its own data folders
        # and the display's scale.
        environment = dict(os.environ, GDK_SCALE=str(scale), XDG_DATA_HOME=self.profile,
                           XDG_CACHE_HOME=self.profile)
        self._start_process([DRIVER, f"--port={port}"], env=environment,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.address = f"http://127.0.0.1:{port}"
        deadline = time.monotonic() + 30
        while not self._ready():
            if time.monotonic() > deadline or self.process.poll() is not None:
                raise RuntimeError("WebKitWebDriver did not start")
            time.sleep(0.05)
        options = {"binary": MINIBROWSER, "args": ["--automation"]}
        session = self._request("POST", "/session", {"capabilities": {"alwaysMatch": {
            "webkitgtk:browserOptions": options}}})
        self.session = f"/session/{session['sessionId']}"
        # The window's size takes in MiniBrowser's own bars: the page is made
        # the size asked for.
        self.send("POST", "/window/rect", {"width": width, "height": height})
        inner = self.evaluate("[innerWidth, innerHeight]")
        self.send("POST", "/window/rect", {"width": 2 * width - inner[0],
                                          "height": 2 * height - inner[1]})

    # WebKit writes a page's console to standard output only outside private
    # browsing, and automation browses privately: the page's errors and
    # console.error are kept by a hook that each navigation puts in the page
    # once it has loaded. An error while the page loads goes unseen here; the
    # tests see its effect, a program that does not start.
    HOOK = """if (!window.quenlorConsole) {
        window.quenlorConsole = [];
        var error = console.error;
        console.error = function() {
            quenlorConsole.push(["error", Array.prototype.join.call(arguments, " ")]);
            return error.apply(console, arguments);
        };
        addEventListener("error", e => quenlorConsole.push(["exception",
            `${e.message} at ${e.filename}:${e.lineno}`]));
        addEventListener("unhandledrejection",
                         e => quenlorConsole.push(["exception", String(e.reason)]));
    }"""

    @property
    def console(self):
        return self.kept + [tuple(m) for m in self.evaluate("window.quenlorConsole || []")]

    @console.setter
    def console(self, value):
        self.kept = list(value)

    def _ready(self):
        try:
            with urllib.request.urlopen(self.address + "/status", timeout=1):
                return True
        except OSError:
            return False

    def _request(self, method, path, body=None):
        data = json.dumps(body).encode() if body is not None else None
        request = urllib.request.Request(self.address + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(request, timeout=120) as answer:
                return json.load(answer)["value"]
        except urllib.error.HTTPError as error:
            raise RuntimeError(f"{method} {path}: {error.read().decode(errors='replace')}")

    def send(self, method, path, body=None):
        return self._request(method, self.session + path, body)

    def navigate(self, url):
        self.kept = self.console
        self.send("POST", "/url", {"url": url})
        self.send("POST", "/execute/sync", {"script": self.HOOK, "args": []})

    def evaluate(self, expression):
        script = ("var done = arguments[arguments.length - 1];"
                  f"(async () => JSON.stringify(await ({expression})))()"
                  ".then(v => done([v]), e => done({thrown: String(e)}));")
        result = self.send("POST", "/execute/async", {"script": script, "args": []})
        if isinstance(result, dict):
            raise RuntimeError(f"{expression}: {result['thrown']}")
        return json.loads(result[0]) if result[0] is not None else None

    def click(self, x, y):
        self.send("POST", "/actions", {"actions": webdriver_actions.click(x, y)})

    def key(self, key, shift=False, control=False):
        self.send("POST", "/actions", {"actions": webdriver_actions.key(key, shift, control)})

    # WebKit's snapshot is of the last frame drawn: the page's latest change
    # is drawn once a second frame has begun.
    def _png(self):
        self.evaluate("new Promise(r => requestAnimationFrame(() => requestAnimationFrame(r)))")
        return self.send("GET", "/screenshot")

    # WebDriver gives an element's computed role and name, even a hidden
    # element's, which the accessibility tree leaves out: only the elements
    # that are rendered count.
    def accessible(self, role, name):
        found = self.send("POST", "/execute/sync", {"args": [], "script": (
            "return Array.prototype.filter.call(document.querySelectorAll("
            "'main, h1, input, button, textarea'), e => e.getClientRects().length > 0);")})
        for element in found:
            path = f"/element/{element[ELEMENT]}"
            if (self.send("GET", path + "/computedrole") == role
                    and self.send("GET", path + "/computedlabel") == name):
                return True
        return False

    # The X clipboard, which WebKitGTK's Ctrl+C fills.
    def clipboard(self):
        return subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True,
                              text=True, check=True, timeout=10).stdout

    def close(self):
        try:
            self.send("DELETE", "")
        except (OSError, RuntimeError):
            pass
        finally:
            self._end_process()
