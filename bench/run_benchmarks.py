#!/usr/bin/python3
"""Runs every benchmark and prints one table: figure, ours, baseline, ratio,
target, and whether the target is met.

Start-up is measured from outside the programs, in a private X server at 96
dpi: ours and the empty window of the same toolkit and size take turns (A B A
B ...), and the ratio is the median of the per-pair ratios. The Windows
figures come from the 64-bit twin under Wine; the size from the 32-bit exe.

usage: run_benchmarks.py <linux build> <windows-x64 build> <windows-x86 build>
                         [--web <web build>] [--pairs N] [--smoke]
       run_benchmarks.py --web <web build> [--pairs N] [--smoke]   (the page's alone)
--smoke: one pass of each, to show that every benchmark still runs; no
target is judged.
"""

import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile
from pathlib import Path

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
END_WINE_SERVER = Path(__file__).resolve().parent.parent / "tests/wine/end-wine-server"
# One line of the program's own text, for the floor that shows what text costs.
ONE_LINE = "Лоша новина"


def run(command, env=None):
    # Output to files, not pipes: Wine's own processes outlive the command
    # and would hold a pipe open.
    with tempfile.TemporaryFile("w+") as out, tempfile.TemporaryFile("w+") as err:
        result = subprocess.run(command, env=env, stdout=out, stderr=err, timeout=300)
        out.seek(0)
        err.seek(0)
        if result.returncode != 0:
            sys.exit(f"{' '.join(map(str, command))} failed:\n{err.read()}")
        return out.read().split()


def first_frame(probe, command, env):
    """(milliseconds to first frame, peak memory in MiB, window size)"""
    fields = run([probe, *command], env)
    values = dict(zip(fields[::2], fields[1::2]))
    return int(values["first_frame_us"]) / 1000, int(values["vmhwm_kb"]) / 1024, values["window"]


def start_up(probe, ours, floor, pairs, env):
    """Alternates ours, the empty floor window and the same with one line of
    text; returns the medians and the median per-round ratios of each figure."""
    _, _, size = first_frame(probe, ours, env)  # warms the caches and gives the size
    width, height = size.split("x")
    floors = {"empty": [*floor, width, height], "one line": [*floor, width, height, ONE_LINE]}
    for command in floors.values():
        first_frame(probe, command, env)
    rounds = []
    for _ in range(pairs):
        rounds.append({"ours": first_frame(probe, ours, env),
                       **{name: first_frame(probe, command, env) for name, command in floors.items()}})
    result = {}
    for figure, column in (("frame", 0), ("memory", 1)):
        result[figure] = {name: statistics.median(r[name][column] for r in rounds)
                          for name in ("ours", *floors)}
        result[figure]["ratio"] = {name: statistics.median(r["ours"][column] / r[name][column]
                                                           for r in rounds) for name in floors}
    return result


def private_display(work):
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24",
                             "-dpi", "96", "-nolisten", "tcp"], pass_fds=[write],
                            stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as display:
        number = display.readline().strip()
    runtime = Path(work) / "runtime"
    runtime.mkdir(mode=0o700)
    return xvfb, {**os.environ, "DISPLAY": f":{number}", "XDG_RUNTIME_DIR": str(runtime)}


def wine_environment(env, windows):
    # A prefix of the benchmarks' own, as Wine makes one: the tests' prefix
    # keeps its windows from any window manager, which would change what a
    # start-up costs.
    prefix = Path(windows) / "wineprefix-bench"
    env = {**env, "WINEPREFIX": str(prefix), "WINEDEBUG": "-all",
           "WINEDLLOVERRIDES": "mscoree=;mshtml="}
    if not (prefix / "system.reg").exists():
        prefix.mkdir(parents=True, exist_ok=True)
        subprocess.run([WINE, "wineboot", "--init"], env=env, capture_output=True, check=True)
        subprocess.run([WINESERVER, "--wait"], env=env, check=True)
    # One server for every run, as a Windows session has; not one left over.
    subprocess.run([WINESERVER, "-k"], env=env, capture_output=True)
    subprocess.run([WINESERVER, "-p"], env=env, check=True)
    return env


def headless_click(linux, smoke):
    fields = subprocess.run(
        [f"{linux}/bench/summary_benchmark", "--benchmark_format=json",
         "--benchmark_filter=summary_with_every_title_ticked", f"--benchmark_min_time={0.01 if smoke else 0.5}"],
        capture_output=True, text=True, check=True).stdout
    benchmark = json.loads(fields)["benchmarks"][0]
    scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3}[benchmark["time_unit"]]
    return benchmark["real_time"] * scale


def stripped_bytes(exe):
    """The exe as it ships: stripped of its debugging symbols."""
    with tempfile.NamedTemporaryFile(suffix=".exe") as stripped:
        subprocess.run(["i686-w64-mingw32-strip", "-o", stripped.name, exe], check=True)
        return os.path.getsize(stripped.name)


def row(figure, ours, baseline, ratio, target, met, smoke):
    verdict = "—" if met is None or smoke else ("met" if met else "NOT MET")
    return [figure, ours, baseline, ratio, target, verdict]


def start_up_rows(toolkit, figures, smoke):
    rows = []
    for figure, unit, label in (("frame", "ms", "first painted frame"), ("memory", "MiB", "peak memory (VmHWM)")):
        f = figures[figure]
        rows.append(row(f"{toolkit}: {label}", f"{f['ours']:.1f} {unit}", f"{f['empty']:.1f} {unit}",
                        f"{f['ratio']['empty']:.2f}×", "≤ 1.10×", f["ratio"]["empty"] <= 1.10, smoke))
        rows.append(row(f"  floor with one line of text", "", f"{f['one line']:.1f} {unit}",
                        f"{f['ratio']['one line']:.2f}×", "(for reference)", None, smoke))
    return rows


def desktop_rows(args, pairs):
    linux, win64 = Path(args.linux).resolve(), Path(args.windows_x64).resolve()
    probe = f"{linux}/bench/first_frame"

    rows = []
    with tempfile.TemporaryDirectory() as work:
        xvfb, env = private_display(work)
        try:
            qt = start_up(probe, [f"{linux}/app/quenlor"], [f"{linux}/bench/empty_qt_window"],
                          pairs, env)
            rows += start_up_rows("Qt", qt, args.smoke)

            clicks = run([f"{linux}/bench/click_to_screen", f"{linux}/app/quenlor",
                          "1" if args.smoke else "20"], env)
            switch_median, switch_max = int(clicks[1]) / 1000, int(clicks[2]) / 1000
            write_median, write_max = int(clicks[4]) / 1000, int(clicks[5]) / 1000

            wine_env = wine_environment(env, win64)
            try:
                win32 = start_up(probe, [WINE, f"{win64}/app/quenlor.exe"],
                                 [WINE, f"{win64}/bench/empty_win32_window.exe"], pairs, wine_env)
            finally:
                # Also removes the folder under /tmp that held the server's socket.
                subprocess.run([END_WINE_SERVER, wine_env["WINEPREFIX"]], env=wine_env)
            rows += start_up_rows("Win32 under Wine", win32, args.smoke)
        finally:
            xvfb.terminate()

    click = headless_click(linux, args.smoke)
    rows.append(row("Command1_Click(0), every box checked (headless)", f"{click:.2f} µs", "", "",
                    "≤ 2 µs", click <= 2.0, args.smoke))
    rows.append(row("Qt: click Изведи to text on screen (median, worst)",
                    f"{write_median:.1f}, {write_max:.1f} ms", "", "", "≤ 16 ms", write_max <= 16, args.smoke))
    rows.append(row("Qt: click a kind to titles on screen (median, worst)",
                    f"{switch_median:.1f}, {switch_max:.1f} ms", "", "", "≤ 16 ms", switch_max <= 16, args.smoke))
    size = stripped_bytes(f"{args.windows_x86}/app/quenlor.exe")
    rows.append(row("32-bit exe, one file", f"{size / 1000:.0f} kB", "", "", "≤ 300 kB",
                    size <= 300_000, args.smoke))

    return rows


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("linux", nargs="?")
    parser.add_argument("windows_x64", nargs="?")
    parser.add_argument("windows_x86", nargs="?")
    parser.add_argument("--web", help="the web build, whose page is measured in Chromium")
    parser.add_argument("--pairs", type=int, default=15)
    parser.add_argument("--smoke", action="store_true")
    args = parser.parse_args()
    pairs = 1 if args.smoke else args.pairs
    rows = []
    if args.linux:
        rows += desktop_rows(args, pairs)
    if args.web:
        import web_benchmarks
        rows += web_benchmarks.rows(Path(args.web) / "page", pairs, row, args.smoke)

    header = ["figure", "ours", "baseline", "ratio", "target", "met"]
    widths = [max(len(str(r[i])) for r in [header, *rows]) for i in range(len(header))]
    for line in [header, ["-" * w for w in widths], *rows]:
        print("  ".join(str(cell).ljust(width) for cell, width in zip(line, widths)).rstrip())
    if args.smoke:
        print(f"(smoke run: {pairs} pass of each, no target judged)")


if __name__ == "__main__":
    main()
