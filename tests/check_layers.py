#!/usr/bin/env python3
"""Fails when the core's folders include each other in a cycle, or when a core
file includes Qt. The core files are those of QXCORE_SOURCES and every header
they reach."""
import os
import re
import sys

root = sys.argv[1]
sources = open(os.path.join(root, "cmake", "sources.cmake")).read()
core = re.search(r"set\(QXCORE_SOURCES(.*?)\)", sources, re.S).group(1).split()

edges = {}
seen = set()
todo = [f for f in core if os.path.exists(os.path.join(root, f))]
todo += [f[:-4] + ".h" for f in core if os.path.exists(os.path.join(root, f[:-4] + ".h"))]
problems = []
while todo:
    name = todo.pop()
    if name in seen:
        continue
    seen.add(name)
    folder = name.split("/")[0]
    for line in open(os.path.join(root, name)):
        if re.match(r"#include <Q", line):
            problems.append(f"{name} includes Qt: {line.strip()}")
        match = re.match(r'#include "((\w+)/[\w.]+)"', line)
        if match:
            edges.setdefault(folder, set())
            if match.group(2) != folder:
                edges[folder].add(match.group(2))
            if os.path.exists(os.path.join(root, match.group(1))):
                todo.append(match.group(1))


def cycle_from(start):
    stack = [(start, [start])]
    while stack:
        node, path = stack.pop()
        for nxt in sorted(edges.get(node, ())):
            if nxt == start:
                return path + [nxt]
            if nxt not in path:
                stack.append((nxt, path + [nxt]))
    return None


for folder in sorted(edges):
    cycle = cycle_from(folder)
    if cycle:
        problems.append("include cycle: " + " -> ".join(cycle))
        break

for problem in problems:
    print(problem)
print(f"core layers: {len(edges)} folders, {len(problems)} problems")
sys.exit(1 if problems else 0)
