#!/usr/bin/python3
"""A storm of random actions against the real program in a private X server,
sent with xdotool as a person's mouse and keyboard, and checked against a
model of the window after every action. The window is read from its pixels
(which kind is chosen, which titles are shown and ticked) and, after each
command, the text box through Ctrl+A, Ctrl+C and the clipboard.

usage: xdotool_storm.py <layout> <program> [actions] [seed]
  The layout is the build's window_layout.json.
(QUENLOR_STORM_ACTIONS and QUENLOR_STORM_SEED, when set, take precedence.)
"""
import os
import random
import re
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.realpath(__file__)), ".."))
from window_layout import Layout  # noqa: E402

LAYOUT = Layout(sys.argv[1])
TITLES = LAYOUT.array("Check1") + LAYOUT.array("Check2")
BAD = [LAYOUT.text(name) for name in LAYOUT.array("Check1")]
GOOD = [LAYOUT.text(name) for name in LAYOUT.array("Check2")]
# The targets of a click, the heading last: the model's own order.
TARGETS = ["Text1", "Option1(0)", "Option1(1)", "Command1(0)", "Command1(1)"] + TITLES + ["Label1"]
TEXT, BAD_NEWS, GOOD_NEWS, SHOW, CLEAR, FIRST_TITLE, HEADING = 0, 1, 2, 3, 4, 5, len(TARGETS) - 1
KEYS = ["Tab", "shift+Tab", "space", "Return", "Escape", "Delete", "BackSpace", "ctrl+v",
        "ctrl+x", "Left", "Right", "Up", "Down"]


def place(target):
    """The middle of a target's place in the client area, in pixels."""
    return LAYOUT.middle(TARGETS[target])


class Model:
    """What the person should see; written from the program's rules."""

    def __init__(self):
        self.chosen, self.ticked, self.text, self.focus = 0, [False] * len(TITLES), None, TEXT

    def shown(self, title):
        return self.chosen == (1 if title < len(BAD) else 2)

    def can_focus(self, target):
        if target == HEADING:
            return False
        return target < FIRST_TITLE or self.shown(target - FIRST_TITLE)

    def activate(self, target):
        if target in (BAD_NEWS, GOOD_NEWS):
            self.chosen = 1 if target == BAD_NEWS else 2
        elif target == SHOW:
            lines = ["Вие избрахте: Лоша новина:"] + [t + ";" for t, on in zip(BAD, self.ticked) if on]
            lines += ["Добра новина:"] + [t + ";" for t, on in zip(GOOD, self.ticked[len(BAD):]) if on]
            self.text = "".join(line + "\n" for line in lines)
        elif target == CLEAR:
            self.text, self.ticked = "Направете своя избор!\n", [False] * len(TITLES)
        elif target >= FIRST_TITLE and target != HEADING:
            self.ticked[target - FIRST_TITLE] = not self.ticked[target - FIRST_TITLE]

    def click(self, target):
        if self.can_focus(target):
            self.focus = target
            self.activate(target)

    def key(self, key):
        # An arrow on a kind of news chooses the other; on a title or a command
        # it steps as Tab or Shift+Tab; in the text box it moves the caret.
        arrow = key in ("Left", "Right", "Up", "Down")
        if arrow and self.focus in (BAD_NEWS, GOOD_NEWS):
            self.focus = GOOD_NEWS if self.focus == BAD_NEWS else BAD_NEWS
            self.activate(self.focus)
        elif key in ("Tab", "shift+Tab") or (arrow and self.focus != TEXT):
            step = 1 if key in ("Tab", "Right", "Down") else HEADING - 1
            self.focus = (self.focus + step) % HEADING
            while not self.can_focus(self.focus):
                self.focus = (self.focus + step) % HEADING
        elif key == "space":
            self.activate(self.focus)


def screenshot(window):
    ppm = subprocess.run(["import", "-window", window, "-depth", "8", "ppm:-"], check=True,
                         capture_output=True).stdout
    # The header is four fields, each followed by one whitespace byte.
    fields, at = [], 0
    while len(fields) < 4:
        end = at
        while ppm[end:end + 1] not in (b" ", b"\n", b"\t", b"\r"):
            end += 1
        if end > at:
            fields.append(ppm[at:end])
        at = end + 1
    width = int(fields[1])
    pixels = ppm[at:]
    return lambda x, y: tuple(pixels[(y * width + x) * 3:(y * width + x) * 3 + 3])


def dark(pixel):
    return sum(pixel) < 3 * 110


def observe(pixel):
    """Chosen kind, and each title's (shown, ticked), from the pixels: an
    option button's dot, a title's colour at its right end and its tick."""
    def chosen_option(name):
        left, top, _, _ = LAYOUT.places[name]
        return all(dark(pixel(x, y)) for x in (left + 6, left + 7) for y in (top + 8, top + 9))
    bad, good = chosen_option("Option1(0)"), chosen_option("Option1(1)")
    chosen = 3 if bad and good else (2 if good else (1 if bad else 0))
    titles = []
    for name in TITLES:
        left, top, width, _ = LAYOUT.places[name]
        shown = pixel(left + width - 3, top + 9) != LAYOUT.colour
        ticked = any(dark(pixel(x, y)) for x in range(left + 4, left + 12)
                     for y in range(top + 5, top + 14))
        titles.append((shown, ticked and shown))
    return chosen, titles


def main():
    program = sys.argv[2]
    # QUENLOR_STORM_ACTIONS and QUENLOR_STORM_SEED set length and seed, as
    # for every storm.
    count = int(os.environ.get("QUENLOR_STORM_ACTIONS", sys.argv[3] if len(sys.argv) > 3 else 2000))
    seed = int(os.environ.get("QUENLOR_STORM_SEED", sys.argv[4] if len(sys.argv) > 4 else 20261208))
    work = tempfile.mkdtemp()
    os.makedirs(os.path.join(work, "home"))
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "800x600x24",
                             "-dpi", "96", "-nolisten", "tcp"], pass_fds=[write],
                            stderr=subprocess.DEVNULL)
    os.close(write)
    # A desktop of its own: no session bus (an address that refuses, so the
    # toolkit starts none either), its own runtime folder and HOME.
    env = dict(os.environ, DISPLAY=":" + os.read(read, 16).decode().strip(),
               XDG_RUNTIME_DIR=work, HOME=os.path.join(work, "home"),
               DBUS_SESSION_BUS_ADDRESS="unix:path=" + os.path.join(work, "no-bus"))
    env.pop("WAYLAND_DISPLAY", None)
    os.environ.update(env)
    app = subprocess.Popen([program], env=env, stderr=subprocess.DEVNULL)
    placeholders = []
    try:
        def x(*args):
            return subprocess.run(["xdotool", *args], env=env, check=True,
                                  capture_output=True, text=True).stdout.strip()

        def settles(expected, seconds):
            """Waits until the window shows what is expected; what it shows."""
            end = time.monotonic() + seconds
            while True:
                seen = observe(screenshot(window))
                if seen == expected or time.monotonic() > end:
                    return seen
                time.sleep(0.02)

        def clipboard():
            return subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=env,
                                  capture_output=True, text=True).stdout

        window = x("search", "--sync", "--onlyvisible", "--name",
                   "^" + re.escape(LAYOUT.caption) + "$").split()[0]
        start = (0, [(False, False)] * len(TITLES))
        if settles(start, 30) != start:
            print("xdotool storm: the window never showed its start")
            return 1
        # Keys go where the X focus is, as a person's do.
        x("windowfocus", "--sync", window)
        model, rng, counts = Model(), random.Random(seed), {}
        for index in range(count):
            roll = rng.randrange(30)
            if roll < 20:
                target = rng.randrange(len(TARGETS))
                action = f"click {target}"
                x("mousemove", "--window", window, *map(str, place(target)), "click", "1")
                model.click(target)
            elif roll < 29:
                key = KEYS[rng.randrange(len(KEYS))]
                action = key
                x("key", "--clearmodifiers", key)
                model.key(key)
            else:
                action = "type"
                x("type", "xy")
            counts[action.split()[0]] = counts.get(action.split()[0], 0) + 1
            expected = [(model.shown(t), model.ticked[t] and model.shown(t))
                        for t in range(len(TITLES))]
            chosen, titles = settles((model.chosen, expected), 5)
            problem = None
            if chosen != model.chosen or titles != expected:
                problem = f"window shows kind {chosen} and titles {titles}; expected kind " \
                          f"{model.chosen} and {expected}"
            elif model.text is not None and action in ("click 3", "click 4", "space"):
                # The clipboard is first held by a placeholder, so the copy
                # shows as a change of owner.
                placeholder = f"nothing copied yet {index}"
                holder = subprocess.Popen(["xclip", "-i", "-selection", "clipboard", "-quiet"],
                                          env=env, stdin=subprocess.PIPE,
                                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                holder.stdin.write(placeholder.encode())
                holder.stdin.close()
                placeholders.append(holder)
                end = time.monotonic() + 10
                while clipboard() != placeholder:
                    if time.monotonic() > end:
                        print(f"xdotool storm: the clipboard never took the placeholder at action "
                              f"{index}; it holds {clipboard()!r}")
                        return 1
                    time.sleep(0.02)
                x("mousemove", "--window", window, *map(str, place(TEXT)), "click", "1")
                model.click(TEXT)
                x("windowfocus", "--sync", window, "key", "--clearmodifiers", "ctrl+a", "ctrl+c",
                  "ctrl+Home")
                end = time.monotonic() + 10
                text = clipboard()
                while text == placeholder and time.monotonic() < end:
                    time.sleep(0.02)
                    text = clipboard()
                if text != model.text:
                    problem = f"text box holds {text!r}, expected {model.text!r}"
            if problem:
                print(f"xdotool storm: seed {seed}, {index + 1} actions, 1 divergence at action "
                      f"{index} ({action}): {problem}")
                return 1
        print(f"xdotool storm: seed {seed}, {count} actions, 0 divergences; per action: {counts}")
        return 0
    finally:
        for process in [app, xvfb] + placeholders:
            process.kill()
        subprocess.run(["rm", "-rf", work], check=False)


if __name__ == "__main__":
    sys.exit(main())
