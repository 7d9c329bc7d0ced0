#!/usr/bin/python3
"""The page as a browser meets it before, while and after the program starts:
what a person does to the window before the program has taken it, the font's
glyphs, the page offline and updated, and its installability.

usage: page_start_tests.py <page folder> <window layout> <case> [<engine>]
  The offline case runs in any engine (browser.py), the others in Chromium."""

import json
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

from browser import launch
from page_server import Server
from page_tests import Page, check, failures
from window_layout import Layout  # on the path that page_tests sets

STARTED = "window.Module && Module.quenlor"
ROOT = Path(__file__).resolve().parent.parent.parent


def input_before_start(browser, server, layout):
    """The program's code is held back while the window already shows: a
    choice, a tick and a press made then all count once the program starts."""
    page = Page(browser, 1, layout)
    browser.send("Fetch.enable", patterns=[{"urlPattern": "*/index.wasm", "requestStage": "Request"}])
    browser.send("Page.navigate", url=server.url)
    held = browser.wait_event("Fetch.requestPaused")
    browser.wait_for("document.readyState != 'loading'")
    check(browser.evaluate("!window.Module.quenlor && !!document.querySelector('main textarea')"),
          "the window shows before the program has started")
    page.click("Option1(0)")
    # The titles show only once the program has run Option1_Click, so the
    # tick goes to the box's element, as the browser's restoring of a page's
    # form state leaves it.
    browser.evaluate("document.querySelectorAll('input[type=checkbox]')[1].click()")
    page.click("Command1(0)")
    check(page.text().startswith("Да се създаде проект"), "nothing is carried out before it starts")
    browser.send("Fetch.continueRequest", requestId=held["requestId"])
    browser.wait_for(STARTED)
    check(page.text() == "Вие избрахте: Лоша новина:\nУволнение;\nДобра новина:\n",
          f"the tick and the press are carried out once it starts: {page.text()!r}")
    bad = layout.array("Check1")
    check(page.title_colours(bad) == [layout.back_colour(name) for name in bad],
          "the choice shows the bad news titles")


def every_glyph_in_the_font(browser, server, layout):
    """Every text the window can show is drawn from the page's own font: the
    browser reports which font drew each node's glyphs."""
    browser.open(server.url)
    page = Page(browser, 1, layout)
    browser.send("DOM.enable")
    browser.send("CSS.enable")
    drawn, other = 0, set()

    def fonts_in_window():
        nonlocal drawn
        root = browser.send("DOM.getDocument", depth=0)["root"]["nodeId"]
        for node in browser.send("DOM.querySelectorAll", nodeId=root,
                                 selector=".quenlor-window, .quenlor-window *")["nodeIds"]:
            for font in browser.send("CSS.getPlatformFontsForNode", nodeId=node)["fonts"]:
                if font["familyName"] == "Quenlor Serif" and font["isCustomFont"]:
                    drawn += font["glyphCount"]
                else:
                    other.add(font["familyName"])

    fonts_in_window()  # the exercise, the headings, the buttons
    for option, boxes in (("Option1(0)", "Check1"), ("Option1(1)", "Check2")):
        page.click(option)
        for name in layout.array(boxes):
            page.click(name)
        fonts_in_window()  # that kind's titles
    page.click("Command1(0)")
    fonts_in_window()  # the longest summary
    page.click("Command1(1)")
    fonts_in_window()  # the prompt
    check(drawn > 1000 and not other, f"{drawn} glyphs from the page's font, others from {other}")


def offline_and_updated(browser, server, layout, folder):
    """A second visit works with the network gone; with it back, an updated
    page replaces the kept one. The server going off the network stands for
    the network gone, the same for every engine."""
    page = Page(browser, 1, layout)
    browser.open(server.url)
    browser.wait_for("!!navigator.serviceWorker.controller")

    def reload(offline):
        server.offline = offline
        browser.evaluate("window.quenlorOldPage = true")
        browser.navigate(server.url)
        browser.wait_for(f"!window.quenlorOldPage && document.readyState == 'complete' && {STARTED}")

    reload(offline=True)
    page.click("Command1(1)")
    check(page.text() == "Направете своя избор!\n", "the page works offline")
    index = folder / "index.html"
    index.write_text(index.read_text(encoding="utf-8").replace(
        "<head>", '<head>\n<meta name="quenlor-test" content="updated">'), encoding="utf-8")
    line = next(line for line in (folder / "service-worker.js").read_text(encoding="utf-8")
                .splitlines() if line.startswith("var FILES = "))
    files = ["index.html" if f == "./" else f for f in json.loads(line[12:].rstrip(";"))]
    subprocess.run(["/usr/bin/python3", str(ROOT / "runtime" / "web" / "page_files.py"),
                    "service-worker", str(ROOT / "runtime" / "web" / "service-worker.js"),
                    str(folder)] + files, check=True)
    worker = (folder / "service-worker.js").read_text(encoding="utf-8")
    cache = worker.split('var CACHE = "', 1)[1].split('"', 1)[0]
    reload(offline=False)
    # The new worker has kept the new files, dropped the old, and taken over.
    browser.wait_for(f"caches.keys().then(k => k.join() == '{cache}' && "
                     "navigator.serviceWorker.controller.state == 'activated')")
    reload(offline=True)
    check(browser.evaluate("!!document.querySelector('meta[name=quenlor-test]')"),
          "the updated page replaced the kept one")


def installable(browser, server, _):
    browser.open(server.url)
    errors = browser.send("Page.getInstallabilityErrors")["installabilityErrors"]
    check(errors == [], f"no installability errors: {errors}")
    manifest = browser.send("Page.getAppManifest")
    check(not manifest.get("errors") and '"standalone"' in manifest.get("data", ""),
          f"the manifest: {manifest.get('errors')}")


def main():
    folder, layout, case = Path(sys.argv[1]), Layout(sys.argv[2]), sys.argv[3]
    engine = sys.argv[4] if len(sys.argv) > 4 else "chromium"
    # A copy of the page, which the update case changes.
    copy = Path(tempfile.mkdtemp(prefix="quenlor-page-"))
    shutil.copytree(folder, copy, dirs_exist_ok=True)
    server = Server(copy)
    browser = launch(engine, width=layout.client[0], height=layout.client[1])
    try:
        if case == "offline_and_updated":
            offline_and_updated(browser, server, layout, copy)
        else:
            globals()[case](browser, server, layout)
        errors = browser.errors()
        check(not errors, f"nothing on the console: {errors}")
    finally:
        browser.close()
        server.close()
        shutil.rmtree(copy, ignore_errors=True)
    print(f"{case}: {'FAILED' if failures else 'passed'}")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
