"""Orca listening to the program, driven by keys alone as a blind user
drives it: from the text box, Tab to each option button and to "Изведи",
then Space. What Orca spoke is read from its debug log ("SPEECH OUTPUT"
lines) as it writes it. Run in a private session (listen_with_orca.sh).

usage: listen.py <debug log> <window name> <announced|silent> [--settled TEXT] <program>...

--settled: before the first key, wait for TEXT in Orca's log, the sign that
the program has settled (see listen_with_orca.sh).

After Space, "announced" needs the summary spoken; "silent" needs it unsaid
(Qt 6.4, which has no way to announce) until Orca speaks of the focus moved
back with Shift+Tab. As Tab crosses the options Orca must say the group's name,
and on each option its place, "1 of 2" and "2 of 2"."""

import atexit
import codecs
import os
import re
import select
import subprocess
import sys
import time

log, window_name, result, program = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
settled = None
if program[0] == "--settled":
    settled, program = program[1], program[2:]
summary = "Вие избрахте: Лоша новина:"
heading = "Избор на тип и вид новина"


class GrowingLog:
    """Orca's debug log as Orca writes it, read through tail, so that a wait
    blocks until Orca writes rather than reading the file again and again."""

    def __init__(self, path):
        self.tail = subprocess.Popen(["tail", "-F", "-n", "+1", path], stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL)
        atexit.register(self.tail.kill)
        self.decoder = codecs.getincrementaldecoder("utf-8")(errors="replace")
        self.text = ""

    def grow(self, seconds):
        """Reads what Orca writes next, waiting at most seconds for it."""
        ready, _, _ = select.select([self.tail.stdout], [], [], max(seconds, 0))
        if not ready:
            return False
        data = os.read(self.tail.stdout.fileno(), 65536)
        self.text += self.decoder.decode(data)
        return bool(data)


orca_log = GrowingLog(log)


def spoken():
    return re.findall(r"SPEECH OUTPUT: '(.*?)'", orca_log.text, re.DOTALL)


def wait_for(seconds, what, found):
    deadline = time.monotonic() + seconds
    while not (answer := found()):
        if not orca_log.grow(deadline - time.monotonic()):
            sys.exit(f"FAIL no {what} within {seconds} s; Orca said: {spoken()}")
    return answer


def said_since(start, words):
    """Orca's utterances from the start-th on, once one of them holds words."""
    def found():
        said = spoken()[start:]
        return said if any(words in line for line in said) else None
    return found


def key(name, words, seconds=30):
    """Presses a key and waits until Orca has said words; returns where in
    Orca's utterances the key was pressed."""
    start = len(spoken())
    subprocess.run(["xdotool", "key", "--clearmodifiers", name], check=True)
    wait_for(seconds, f"{words!r} after {name}", said_since(start, words))
    return start


def heard_after_keys(said, echoes):
    """What Orca said of each key's effect: from its echo of the key to its
    echo of the next."""
    at = []
    for echo in echoes:
        after = at[-1] + 1 if at else 0
        at.append(next(i for i in range(after, len(said)) if said[i].strip() == echo))
    return [said[begin + 1:end] for begin, end in zip(at, at[1:] + [len(said)])]


wait_for(120, "'Screen reader on.' from Orca", said_since(0, "Screen reader on"))
# What the program says on its own goes beside the log, out of the way. It is
# ended, and waited for, before the desktop goes: Chromium writes its profile
# as it closes.
with open(log + ".program", "w") as output:
    listened_to = subprocess.Popen(program, stdout=output, stderr=output)


def end_program():
    listened_to.terminate()
    try:
        listened_to.wait(30)
    except subprocess.TimeoutExpired:
        sys.exit("FAIL the program did not end within 30 s of being asked to")


atexit.register(end_program)


# xdotool waits for the window itself (--sync), under a deadline.
window = subprocess.run(["timeout", "60", "xdotool", "search", "--sync", "--onlyvisible", "--name",
                         window_name], capture_output=True, text=True).stdout.split()
if not window:
    sys.exit(f"FAIL no window named {window_name} within 60 s")
subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], check=True)
wait_for(60, "window title spoken", said_since(0, "Quenlor"))
if settled:
    wait_for(60, f"{settled!r} in Orca's log", lambda: settled in orca_log.text)
# The text box holds the focus at start: the listener hears the exercise.
keys = [("Tab", "Лоша новина"), ("Tab", "Добра новина"), ("Tab", "Изведи"), ("space", "space")]
starts = [key(name, words) for name, words in keys]
problems = []
if result == "announced":
    wait_for(30, "summary spoken after Space", said_since(starts[-1], summary))
else:
    starts.append(key("shift+Tab", "Добра новина"))
echoes = ["tab", "tab", "tab", "space"] + ([] if result == "announced" else ["left shift"])
heard = heard_after_keys(spoken(), echoes)
for (name, _), words in zip(keys + [("shift+Tab", "")], heard):
    print(f"{name}: {' | '.join(words)}")
# Chromium may say again that the page has loaded while the keys are
# pressed, and Orca then speaks the focused option again: what it said of the
# options is taken from the three Tabs together.
options, after_space = [line for words in heard[:3] for line in words], heard[3]
if result == "silent" and any(summary in line for line in after_space):
    problems.append("the summary was spoken, which this Qt cannot announce: look again")
# Entering the options, the group's name; on each, its place in the group.
if not any(heading in line for line in options):
    problems.append(f"no group name {heading!r} on entering the options")
for place in ("1 of 2", "2 of 2"):
    if not any(place in line for line in options):
        problems.append(f"no {place!r} said of the options")
if problems:
    sys.exit("FAIL " + "; ".join(problems))
