"""What the page's tests ask of a browser, whichever engine it is and however
it is driven: Chromium over its DevTools protocol (cdp.py), Firefox over
WebDriver BiDi (bidi.py), WebKitGTK over classic WebDriver (webdriver.py).
The tests are written once against this; each driver speaks its protocol."""

import base64
import contextlib
import glob
import io
import os
import select
import shutil
import signal
import subprocess
import tempfile
import time

from PIL import Image

ENGINES = ("chromium", "firefox", "webkit")

# The keys the tests press, by their DOM name: the code and Windows key code
# that Chromium's input events take, and the WebDriver key that both kinds of
# WebDriver take.
KEYS = {"Tab": ("Tab", 9, "\ue004"), "Enter": ("Enter", 13, "\ue007"),
        "Escape": ("Escape", 27, "\ue00c"), " ": ("Space", 32, " "),
        "ArrowLeft": ("ArrowLeft", 37, "\ue012"), "ArrowUp": ("ArrowUp", 38, "\ue013"),
        "ArrowRight": ("ArrowRight", 39, "\ue014"), "ArrowDown": ("ArrowDown", 40, "\ue015"),
        "Delete": ("Delete", 46, "\ue017"), "Backspace": ("Backspace", 8, "\ue003"),
        "a": ("KeyA", 65, "a"), "c": ("KeyC", 67, "c"), "v": ("KeyV", 86, "v"),
        "x": ("KeyX", 88, "x")}
SHIFT, CONTROL = "\ue008", "\ue009"


class Browser:
    """One browser with a fresh profile and one page of the given size in CSS
    pixels, at the given device scale. `console` collects (kind, text) of what
    the page writes to its console; kind is "error" for errors, "exception"
    for what the page throws."""

    engine = None

    def __init__(self):
        self.console = []
        self.profile = tempfile.mkdtemp(prefix=f"quenlor-{self.engine}-")

    def _start_process(self, command, **options):
        """Starts the browser, or its driver, in a process group of its own
        and with its temporary files in its profile: the first step of
        __init__, after the profile is made."""
        environment = dict(options.pop("env", os.environ), TMPDIR=self.profile)
        self.process = subprocess.Popen(command, env=environment, start_new_session=True,
                                        **options)

    def _running(self):
        """The browser's processes still running: those of its group, and
        those that left it (a crash reporter) but carry its TMPDIR."""
        mark = f"TMPDIR={self.profile}".encode()
        found = []
        for process in glob.glob("/proc/[0-9]*"):
            try:
                with open(f"{process}/stat") as f:
                    state, _, group = f.read().rsplit(")", 1)[1].split()[:3]
                if state == "Z":
                    continue
                if int(group) != self.process.pid:
                    with open(f"{process}/environ", "rb") as f:
                        if mark not in f.read().split(b"\0"):
                            continue
                found.append(int(process[6:]))
            except OSError:
                continue
        return found

    def _signal_running(self, sign, seconds):
        """Sends the signal to each of the browser's processes and waits for
        each to end (its pidfd turns readable), up to the deadline; whether
        none runs now."""
        deadline = time.monotonic() + seconds
        ends = []
        try:
            for pid in self._running():
                with contextlib.suppress(ProcessLookupError):
                    ends.append(os.pidfd_open(pid))
                    signal.pidfd_send_signal(ends[-1], sign)
            for end in ends:
                if not select.select([end], [], [], max(deadline - time.monotonic(), 0))[0]:
                    return False
        finally:
            for end in ends:
                os.close(end)
        return not self._running()

    def _end_process(self):
        """Ends every process of the browser, by force if they will not go,
        and then removes its profile, which they no longer write to: the last
        step of close()."""
        if not (self._signal_running(signal.SIGTERM, 10) or
                self._signal_running(signal.SIGKILL, 10)):
            raise RuntimeError(f"the {self.engine} processes did not end")
        self.process.wait(timeout=10)
        shutil.rmtree(self.profile)

    # What each driver provides.
    def navigate(self, url):
        raise NotImplementedError

    def evaluate(self, expression):
        """The value of a JavaScript expression (a promise is awaited), as JSON
        gives it."""
        raise NotImplementedError

    def click(self, x, y):
        """A left click of the mouse at a point of the page, in CSS pixels."""
        raise NotImplementedError

    def key(self, key, shift=False, control=False):
        """A key pressed and released, by its name in KEYS."""
        raise NotImplementedError

    def screenshot(self):
        """The page as shown, in device pixels, as a PIL RGB image."""
        return Image.open(io.BytesIO(base64.b64decode(self._png()))).convert("RGB")

    def _png(self):
        """The page as shown, as a PNG in base64."""
        raise NotImplementedError

    def accessible(self, role, name):
        """Whether the accessibility tree holds a node of that role and name."""
        raise NotImplementedError

    def clipboard(self):
        """The clipboard's text, or None where the engine gives automation no
        way to read it."""
        raise NotImplementedError

    def close(self):
        raise NotImplementedError

    # The same for every engine.
    def errors(self):
        return [text for kind, text in self.console if kind in ("error", "exception")]

    def wait_for(self, expression, timeout=120):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            value = self.evaluate(expression)
            thrown = [text for kind, text in self.console if kind == "exception"]
            if thrown:
                raise RuntimeError(f"the page threw: {thrown[0]}")
            if value:
                return value
            time.sleep(0.02)
        raise TimeoutError(f"{self.engine}: {expression}")

    # The window shows from the page's first byte; it is the program's once
    # the program has taken it (Module.quenlor). The page before is marked, so
    # that it is not taken for the new one.
    def open(self, url, ready="window.Module && Module.quenlor && "
                              "document.querySelector('.quenlor-window:not([hidden])')"):
        self.evaluate("window.quenlorOldPage = true")
        self.navigate(url)
        self.wait_for(f"!window.quenlorOldPage && document.readyState == 'complete' && !!({ready})")
        self.evaluate("document.fonts.ready.then(() => true)")


def launch(engine, width=800, height=600, scale=1):
    """A browser of that engine, started."""
    if engine == "chromium":
        from cdp import Chromium
        return Chromium(width, height, scale)
    if engine == "firefox":
        from bidi import Firefox
        return Firefox(width, height, scale)
    if engine == "webkit":
        from webdriver import WebKit
        return WebKit(width, height, scale)
    raise ValueError(f"no such engine: {engine}")
