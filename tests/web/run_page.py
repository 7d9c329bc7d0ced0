#!/usr/bin/python3
"""Runs a test program's page in a browser engine, prints what it writes to
the console, and exits with the status the page leaves. A page that asks for
real input (quenlorNextInput, page_storm_start.js) is given each request as
the engine's own input events until it ends.

usage: run_page.py <page folder> <page.html> <engine>"""

import os
import sys
import urllib.parse

from browser import launch
from page_server import Server


def give_input(browser):
    """Carries out each request of the page's program, until it ends."""
    request = browser.evaluate("quenlorNextInput()")
    while "status" not in request:
        if "click" in request:
            browser.click(*request["click"])
        elif "key" in request:
            browser.key(request["key"], request["shift"], request["control"], request["repeat"])
        else:
            browser.type(request["type"])
        request = browser.evaluate("quenlorNextInput()")


def main():
    folder, page, engine = sys.argv[1], sys.argv[2], sys.argv[3]
    server = Server(folder)
    browser = launch(engine)
    try:
        # The storms' settings reach the page's program as its environment.
        settings = {k: v for k, v in os.environ.items() if k.startswith("QUENLOR_STORM_")}
        browser.open(server.url + page + "?" + urllib.parse.urlencode(settings),
                     ready="window.quenlorTestStatus !== undefined || !!window.quenlorNextInput")
        if browser.evaluate("!!window.quenlorNextInput"):
            give_input(browser)
        # What the test program wrote, as far as the engine's driver gives the
        # console (WebKit's gives only what was written after the page loaded).
        for _, text in browser.console:
            print(text)
        status = browser.evaluate("window.quenlorTestStatus")
    finally:
        browser.close()
        server.close()
    sys.exit(status)


if __name__ == "__main__":
    main()
