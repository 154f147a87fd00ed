#!/usr/bin/env python3
"""Checks the source layout's layering; prints every problem, exits 1 on any.

  programs (layers/*_main.cpp)
  platform layers: layers/headless, sdl, win32, web  (peers: none includes another)
  posix helpers: layers/posix                          (for the headless and sdl layers only)
  what every layer shares: layers/common
  app and replay                                       (peers)
  drawing: render
  rules: match, sim, banner                            (may use one another)
  base: state and the platform contract (platform/)

A file may include from its own part or from a part below it. The rules, the app
and the state include no graphics, window, sound or system header, and no files
call each other round a circle (a header and its .cpp count as one unit).

With --expect-faults the tree is a fixture: every file in it that says
"// expect: KIND" must be reported with a problem of that kind, and the run
passes only then.
"""
import os
import re
import sys

RANK = {"state": 0, "contract": 0, "match": 1, "sim": 1, "banner": 1, "render": 2,
        "app": 3, "replay": 3, "common": 4, "posix": 5,
        "headless": 6, "sdl": 6, "win32": 6, "web": 6, "main": 7}
LAYERS = {"headless", "sdl", "win32", "web"}
POSIX_USERS = {"headless", "sdl", "main"}
SHARES_RANK = {1}  # the rules may use one another
PLAIN = {"app", "match", "sim", "banner", "state", "contract", "replay"}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
EXPECT = re.compile(r'^// expect: (\w+)', re.M)
MACHINE = re.compile(r'^((GL|EGL|GLES\d*|KHR|SDL2?|X11|wayland|emscripten|sys|alsa)[/_.-]|gl\.h|glu\.h|wgl|'
                     r'windows\.h|winuser|mmsystem|png\.h|unistd\.h|fcntl\.h|signal\.h|csignal)')


def part_of(rel):
    bits = rel.split("/")
    if bits[0] == "platform":
        return "contract"
    if bits[0] == "layers":
        if len(bits) == 2:
            return "main"
        return bits[1]
    return bits[0]


def check(src):
    units, problems = {}, []  # problems: (file, kind, text)
    expected = {}
    for top, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith((".h", ".cpp", ".inc")):
                continue
            rel = os.path.relpath(os.path.join(top, name), src).replace(os.sep, "/")
            unit = os.path.splitext(rel)[0]
            units.setdefault(unit, set())
            with open(os.path.join(top, name), encoding="utf-8", errors="replace") as f:
                text = f.read()
            for kind in EXPECT.findall(text):
                expected.setdefault(rel, set()).add(kind)
            here = part_of(rel)
            for bracket, target in INCLUDE.findall(text):
                if here in PLAIN and MACHINE.match(target):
                    problems.append((rel, "machine", f"{rel}: platform-free code includes a machine header <{target}>"))
                if bracket != '"' or "/" not in target or not os.path.exists(os.path.join(src, target)):
                    continue
                there = part_of(target)
                units[unit].add(os.path.splitext(target)[0])
                if there == here:
                    continue
                if here in LAYERS and there in LAYERS:
                    problems.append((rel, "peer", f"{rel}: one platform layer includes another's {target}"))
                elif RANK.get(there, 9) > RANK.get(here, 9) or (
                        RANK.get(there) == RANK.get(here) and RANK.get(here) not in SHARES_RANK):
                    problems.append((rel, "upward", f"{rel}: includes {target} from a part above or beside it"))
                elif there == "posix" and here not in POSIX_USERS:
                    problems.append((rel, "posix", f"{rel}: only the POSIX layers use {target}"))
    # Circles: a depth-first walk over the unit graph.
    state, stack = {}, []

    def walk(unit):
        state[unit] = 1
        stack.append(unit)
        for nxt in sorted(units.get(unit, ())):
            if nxt == unit or nxt not in units:
                continue
            if state.get(nxt) == 1:
                circle = stack[stack.index(nxt):] + [nxt]
                for member in circle[:-1]:
                    for ext in (".cpp", ".h"):
                        problems.append((member + ext, "circle", "a circle of includes: " + " -> ".join(circle)))
            elif nxt not in state:
                walk(nxt)
        stack.pop()
        state[unit] = 2

    for unit in sorted(units):
        if unit not in state:
            walk(unit)
    return units, problems, expected


def main(args):
    expect_faults = args[0] == "--expect-faults"
    src = args[-1]
    units, problems, expected = check(src)
    if not units:
        print(f"no source files found under {src}")
        return 1
    shown = sorted({text for _, _, text in problems})
    for text in shown:
        print(text)
    if not expect_faults:
        print(f"checked {len(units)} files: {len(shown)} problems")
        return 1 if problems else 0
    found = {(rel, kind) for rel, kind, _ in problems}
    missed = [f"{rel}: expected a '{kind}' problem, none reported"
              for rel, kinds in sorted(expected.items()) for kind in sorted(kinds) if (rel, kind) not in found]
    for line in missed:
        print(line)
    if not expected:
        print(f"no '// expect:' lines under {src}")
        return 1
    print(f"fixture: {len(expected)} expected faults, {len(missed)} missed")
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
