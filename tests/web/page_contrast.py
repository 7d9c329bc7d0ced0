#!/usr/bin/python3
"""The page readable under a reader's colour preferences: the contrast of
every caption and of the text box's text against its background, measured
from screenshots (tests/contrast/contrast.py), at start and with each kind
of news chosen.

usage: page_contrast.py <page folder> <media feature>:<value>[,...]
  e.g. prefers-color-scheme:dark or forced-colors:active,prefers-color-scheme:dark
  (forced colours from a dark high-contrast theme)"""

import os
import sys

from cdp import Chromium
from page_server import Server

sys.path.insert(0, os.path.join(os.path.dirname(os.path.realpath(__file__)), "..", "contrast"))
from contrast import check  # noqa: E402

AT_START = ["Label1", "Option1(0)", "Option1(1)", "Command1(0)", "Command1(1)", "Text1"]


def main():
    folder = sys.argv[1]
    features = [dict(zip(("name", "value"), f.split(":"))) for f in sys.argv[2].split(",")]
    server = Server(folder)
    browser = Chromium(width=470, height=357)
    try:
        browser.send("Emulation.setEmulatedMedia", features=features)
        browser.open(server.url)
        failing = [f"the page does not see {f}" for f in features if not browser.evaluate(
            f"matchMedia('({f['name']}: {f['value']})').matches")]
        failing += check(browser.screenshot(), AT_START)
        browser.click(84, 41)
        failing += check(browser.screenshot(), [f"Check1({i})" for i in range(6)])
        browser.click(276, 41)
        failing += check(browser.screenshot(), [f"Check2({i})" for i in range(7)])
    finally:
        browser.close()
        server.close()
    print(f"the page under {sys.argv[2]}: " + (f"FAILED {failing}" if failing else "passed"))
    sys.exit(1 if failing else 0)


if __name__ == "__main__":
    main()
