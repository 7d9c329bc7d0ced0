"""The page's benchmarks in headless Chromium: first contentful paint against
a page of one line of text in the same font, at the machine's speed and with
the CPU slowed four times (a school's laptop); the bytes of the page's files
as a static host sends them; and Command1_Click(0) with every box checked."""

import gzip
import json
import statistics
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "web"))
from cdp import Chromium  # noqa: E402
from page_server import Server  # noqa: E402

FCP = ("(performance.getEntriesByName('first-contentful-paint')[0] || {}).startTime")


def first_contentful_paint(page, pairs, slowdown):
    """Medians of ours and the one-line page, and the median per-pair ratio.
    Each load is a first visit: no cache, no service worker, so that html,
    js, wasm and font are all fetched anew."""
    server, browser = Server(page), Chromium(width=470, height=357)
    try:
        browser.send("Network.enable")
        browser.send("Network.setCacheDisabled", cacheDisabled=True)
        browser.send("Network.setBypassServiceWorker", bypass=True)
        browser.send("Emulation.setCPUThrottlingRate", rate=slowdown)

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
    """Bytes of every file the page fetches, its service worker's included,
    gzipped at level 9 unless that makes it larger (the font and images are
    compressed already): in all, html + js + wasm, and the font."""
    worker = (Path(page) / "service-worker.js").read_text(encoding="utf-8")
    line = next(line for line in worker.splitlines() if line.startswith("var FILES = "))
    files = ["index.html" if f == "./" else f for f in json.loads(line[12:].rstrip(";"))]

    def sent(name):
        data = (Path(page) / name).read_bytes()
        return min(len(data), len(gzip.compress(data, 9)))
    return (sum(sent(name) for name in files + ["service-worker.js"]),
            sum(sent(name) for name in ("index.html", "index.js", "index.wasm")),
            sent("QuenlorSerif.woff2"))


def click(page):
    """Microseconds per Command1_Click(0), every box checked, in the page."""
    server, browser = Server(page), Chromium()
    try:
        browser.open(server.url + "web_click_benchmark.html", ready="window.quenlorClick")
        return browser.evaluate("window.quenlorClick.microseconds")
    finally:
        browser.close()
        server.close()


def rows(page, pairs, row, smoke):
    result = []
    for slowdown, label in ((1, ""), (4, ", CPU 4× slower")):
        ours, one_line, ratio = first_contentful_paint(page, pairs, slowdown)
        result.append(row(f"Page: first contentful paint{label}", f"{ours:.1f} ms",
                          f"{one_line:.1f} ms", f"{ratio:.2f}×", "≤ 1.10×", ratio <= 1.10, smoke))
    total, code, font = transfer_size(page)
    microseconds = click(page)
    return result + [
        row("Page: every file, gzipped", f"{total / 1000:.1f} kB", "", "", "≤ 80 kB",
            total <= 80_000, smoke),
        row("  html + js + wasm", f"{code / 1000:.1f} kB", "", "", "(for reference)", None, smoke),
        row("  the font", f"{font / 1000:.1f} kB", "", "", "(for reference)", None, smoke),
        row("Command1_Click(0), every box checked (page)", f"{microseconds:.2f} µs", "", "",
            "≤ 10 µs", microseconds <= 10, smoke),
    ]
