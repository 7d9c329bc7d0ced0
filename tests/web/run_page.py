#!/usr/bin/python3
"""Runs a test program's page in a browser engine, prints what it writes to
the console, and exits with the status the page leaves.

usage: run_page.py <page folder> <page.html> <engine>"""

import sys

from browser import launch
from page_server import Server


def main():
    folder, page, engine = sys.argv[1], sys.argv[2], sys.argv[3]
    server = Server(folder)
    browser = launch(engine)
    try:
        browser.open(server.url + page, ready="window.quenlorTestStatus !== undefined")
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
