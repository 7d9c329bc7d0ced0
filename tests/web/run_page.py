#!/usr/bin/python3
"""Runs a test program's page in headless Chromium, prints what it writes to
the console, and exits with the status the page leaves.

usage: run_page.py <page folder> <page.html>"""

import sys

from cdp import Browser, Server


def main():
    folder, page = sys.argv[1], sys.argv[2]
    server = Server(folder)
    browser = Browser()
    browser.echo = True
    try:
        browser.open(server.url + page, ready="window.quenlorTestStatus !== undefined")
        status = browser.evaluate("window.quenlorTestStatus")
    finally:
        browser.close()
        server.close()
    sys.exit(status)


if __name__ == "__main__":
    main()
