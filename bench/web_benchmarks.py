"""The page's benchmarks in headless Chromium: first contentful paint against
a page of one line of text in the same font, the gzipped transfer size, and
Command1_Click(0) with every box checked."""

import gzip
import statistics
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "web"))
from cdp import Browser, Server  # noqa: E402

FCP = ("(performance.getEntriesByName('first-contentful-paint')[0] || {}).startTime")


def first_contentful_paint(page, pairs):
    """Medians of ours and the one-line page, and the median per-pair ratio.
    The cache is off, so each load fetches html, js, wasm and font anew."""
    server, browser = Server(page), Browser(width=470, height=357)
    try:
        browser.send("Network.enable")
        browser.send("Network.setCacheDisabled", cacheDisabled=True)

        def load(name):
            browser.send("Page.navigate", url=server.url + name)
            return browser.wait_for(f"document.readyState == 'complete' && {FCP}")

        load("index.html"), load("one_line.html")  # warms the disk cache and the compiler
        rounds = [(load("index.html"), load("one_line.html")) for _ in range(pairs)]
    finally:
        browser.close()
        server.close()
    return (statistics.median(r[0] for r in rounds), statistics.median(r[1] for r in rounds),
            statistics.median(r[0] / r[1] for r in rounds))


def transfer_size(page):
    """Bytes of html + js + wasm gzipped at level 9, and the font's apart."""
    def gzipped(name):
        return len(gzip.compress((Path(page) / name).read_bytes(), 9))
    return (sum(gzipped(name) for name in ("index.html", "index.js", "index.wasm")),
            gzipped("LiberationSerif-Regular.ttf"))


def click(page):
    """Microseconds per Command1_Click(0), every box checked, in the page."""
    server, browser = Server(page), Browser()
    try:
        browser.open(server.url + "web_click_benchmark.html", ready="window.quenlorClick")
        return browser.evaluate("window.quenlorClick.microseconds")
    finally:
        browser.close()
        server.close()


def rows(page, pairs, row, smoke):
    ours, one_line, ratio = first_contentful_paint(page, pairs)
    size, font = transfer_size(page)
    microseconds = click(page)
    return [
        row("Page: first contentful paint", f"{ours:.1f} ms", f"{one_line:.1f} ms", f"{ratio:.2f}×",
            "≤ 1.10×", ratio <= 1.10, smoke),
        row("Page: html + js + wasm, gzipped", f"{size / 1000:.1f} kB", "", "", "≤ 100 kB",
            size <= 100_000, smoke),
        row("  the font apart, gzipped", f"{font / 1000:.0f} kB", "", "", "(for reference)", None,
            smoke),
        row("Command1_Click(0), every box checked (page)", f"{microseconds:.2f} µs", "", "",
            "≤ 10 µs", microseconds <= 10, smoke),
    ]
