#!/usr/bin/python3
"""Fails when the form's code can reach the backends' side of the runtime:
runtime/form.h (the reporting calls and raw state), runtime/backend.h or a
backend's own folder, through any chain of the project's includes.

usage: check_form_includes.py <source root>
"""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1])
forbidden = re.compile(r"^runtime/(form\.h|backend\.h|(headless|qt|win32|web)/)")
include = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)

start = sorted(str(p.relative_to(root)) for p in (root / "form").iterdir()
               if p.suffix in (".h", ".cpp"))
if not start:
    sys.exit("no sources in form/")
reached_from = {name: None for name in start}
queue = list(start)
while queue:
    name = queue.pop()
    for included in include.findall((root / name).read_text(encoding="utf-8")):
        if included in reached_from or not (root / included).exists():
            continue
        reached_from[included] = name
        queue.append(included)

bad = [name for name in reached_from if forbidden.match(name)]
for name in bad:
    chain = [name]
    while reached_from[chain[-1]]:
        chain.append(reached_from[chain[-1]])
    print("form/ reaches " + " <- ".join(chain))
if bad:
    sys.exit(1)
print(f"{len(reached_from)} files reached from form/, none of the backends' side")
