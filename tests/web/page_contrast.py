#!/usr/bin/python3
"""The page readable under a reader's colour preferences: the contrast of
every caption and of the text box's text against its background, measured
from screenshots (tests/contrast/contrast.py), at start and with each kind
of news chosen.

usage: page_contrast.py <page folder> <window layout> <media feature>:<value>[,...]
  e.g. prefers-color-scheme:dark or forced-colors:active,prefers-color-scheme:dark
  (forced colours from a dark high-contrast theme)"""

import os
import sys

from cdp import Chromium
from page_server import Server

here = os.path.dirname(os.path.realpath(__file__))
sys.path[:0] = [os.path.join(here, ".."), os.path.join(here, "..", "contrast")]
from contrast import check  # noqa: E402
from window_layout import Layout  # noqa: E402


def main():
    folder, layout, wanted = sys.argv[1], Layout(sys.argv[2]), sys.argv[3]
    features = [dict(zip(("name", "value"), f.split(":"))) for f in wanted.split(",")]
    server = Server(folder)
    browser = Chromium(width=layout.client[0], height=layout.client[1])
    try:
        browser.send("Emulation.setEmulatedMedia", features=features)
        browser.open(server.url)
        failing = [f"the page does not see {f}" for f in features if not browser.evaluate(
            f"matchMedia('({f['name']}: {f['value']})').matches")]
        # At start, then with each kind of news chosen, showing its titles.
        failing += check(browser.screenshot(), layout,
                         [n for n in layout.controls if n not in layout.named("check")])
        for option, titles in zip(layout.named("option"), ("Check1", "Check2")):
            browser.click(*layout.middle(option))
            failing += check(browser.screenshot(), layout, layout.array(titles))
    finally:
        browser.close()
        server.close()
    print(f"the page under {wanted}: " + (f"FAILED {failing}" if failing else "passed"))
    sys.exit(1 if failing else 0)


if __name__ == "__main__":
    main()
