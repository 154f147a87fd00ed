#!/usr/bin/env python3
"""Checks the source layout's layering; prints every problem, exits 1 on any.

  platform layers (headless, sdl, win32, web)  ->  app and replay  ->
  rules and drawing (match, sim, render, banner)  ->  state and the platform contract

A file may include from its own part or from a part below it; the rule and
drawing parts may use one another. No platform layer includes another's files,
the rules (app, match, sim, state) include no graphics, window, sound or layer
header, and no files call each other round a circle (a header and its .cpp
count as one unit).
"""
import os
import re
import sys

RANK = {"state": 0, "contract": 0, "match": 1, "sim": 1, "render": 1, "banner": 1,
        "app": 2, "replay": 2, "headless": 3, "sdl": 3, "win32": 3, "web": 3, "main": 4}
LAYERS = {"headless", "sdl", "win32", "web"}
RULES = {"app", "match", "sim", "state"}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
MACHINE = re.compile(r'^((GL|EGL|GLES\d*|KHR|SDL2?|X11|wayland|emscripten)[/_.-]|gl\.h|glu\.h|wgl|windows\.h|winuser|mmsystem|png\.h)')


def part_of(rel):
    bits = rel.split("/")
    if bits[0] == "platform":
        if len(bits) == 2:
            return "main" if bits[1].endswith("_main.cpp") else "contract"
        return bits[1]
    return bits[0]


def main(src):
    units, problems = {}, []
    for top, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith((".h", ".cpp", ".inc")):
                continue
            rel = os.path.relpath(os.path.join(top, name), src).replace(os.sep, "/")
            unit = os.path.splitext(rel)[0]
            with open(os.path.join(top, name), encoding="utf-8", errors="replace") as f:
                text = f.read()
            here = part_of(rel)
            for kind, target in INCLUDE.findall(text):
                if here in RULES and MACHINE.match(target):
                    problems.append(f"{rel}: the rules include a machine header <{target}>")
                if kind != '"' or "/" not in target or not os.path.exists(os.path.join(src, target)):
                    continue
                there = part_of(target)
                units.setdefault(unit, set()).add(os.path.splitext(target)[0])
                if there == here:
                    continue
                if here in LAYERS and there in LAYERS:
                    problems.append(f"{rel}: one platform layer includes another's {target}")
                elif RANK.get(there, 9) > RANK.get(here, 9) or (RANK.get(there) == RANK.get(here) and RANK.get(here) != 1):
                    problems.append(f"{rel}: includes {target} from a part above or beside it")
    # Circles: a depth-first walk over the unit graph.
    state, stack = {}, []

    def walk(unit):
        state[unit] = 1
        stack.append(unit)
        for nxt in sorted(units.get(unit, ())):
            if nxt == unit:
                continue
            if state.get(nxt) == 1:
                problems.append("a circle of includes: " + " -> ".join(stack[stack.index(nxt):] + [nxt]))
            elif nxt not in state:
                walk(nxt)
        stack.pop()
        state[unit] = 2

    for unit in sorted(units):
        if unit not in state:
            walk(unit)
    for line in problems:
        print(line)
    if not units:
        print(f"no source files found under {src}")
        return 1
    print(f"checked {len(units)} files: {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
