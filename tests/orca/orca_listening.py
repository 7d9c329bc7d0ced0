"""Starts Orca as a listener who moves by keys has it: object positions
spoken ("1 of 2"), no Say All of a page when it loads (Chromium says again
that the page has loaded as its own window changes, and each Say All moves
the focus), and the debug file written line by line, so that what it says
can be read while it runs (it writes the file in blocks otherwise).

usage: orca_listening.py <debug file>"""

import builtins
import runpy
import sys

import orca.settings

log = sys.argv[1]
orca.settings.enablePositionSpeaking = True
orca.settings.sayAllOnLoad = False

plain_open = builtins.open


def open_line_by_line(file, mode="r", buffering=-1, *rest, **named):
    if file == log and "w" in mode:
        buffering = 1
    return plain_open(file, mode, buffering, *rest, **named)


builtins.open = open_line_by_line
sys.argv = ["orca", "--debug-file=" + log]
runpy.run_path("/usr/bin/orca", run_name="__main__")
