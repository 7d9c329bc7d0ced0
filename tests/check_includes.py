#!/usr/bin/python3
"""Fails when the sources in the given folders can reach a forbidden header
of the project, through any chain of the project's includes. Each forbidden
file is printed with the chain that reaches it.

usage: check_includes.py <source root> <forbidden: a regex on paths> <folder>...
"""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1])
forbidden = re.compile(sys.argv[2])
folders = sys.argv[3:]
include = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)

start = sorted(str(p.relative_to(root)) for folder in folders
               for p in (root / folder).iterdir() if p.suffix in (".h", ".cpp"))
if not start:
    sys.exit("no sources in " + " ".join(folders))
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
    print("reached: " + " <- ".join(chain))
if bad:
    sys.exit(1)
print(f"{len(reached_from)} files reached from {' '.join(folders)}, none forbidden")
