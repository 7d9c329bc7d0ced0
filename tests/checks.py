"""The checks of the Python test scripts, said as the shell scripts' are
(tests/desktop.sh): each check says "ok   <what>" or "FAIL <what>", and
done() how many failed."""

import sys

failures = []


def expect(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)


def done():
    print(f"{len(failures)} failed")
    sys.exit(1 if failures else 0)
