#!/usr/bin/env python3
"""Mutation testing of the game's rules: how many planted faults do the tests catch?

    scripts/mutants.py [--count N] [--seed S] [--build DIR] [--list]

Plants one small fault at a time in src/app, src/match, src/sim and
src/banner (a comparison turned round, + for -, a constant off by one, a
statement deleted, && for ||, true for false), rebuilds the test programs in
DIR (default build/mutants, a Release build of its own), runs the fast
tests (bw_tests, then bw_render_tests for a fault that bw_tests missed) and
puts the file back. A fault that does not compile is not counted. A test
program that fails, crashes or runs over its time limit catches the fault.

It prints the mutation score, every fault no test caught, and for every test
how many faults it caught and how many only it caught. The same seed and
count choose the same faults from the same sources. About 15 to 25 seconds
per fault on two cores.
"""
import argparse
import json
import os
import random
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PARTS = ["src/app", "src/match", "src/sim", "src/banner"]
PROGRAMS = ["tests/bw_tests", "tests/render/bw_render_tests"]

# (name, pattern, replacement): each match of a pattern on a code line is one
# possible fault.
OPERATORS = [
    ("<= to <", r"<=", "<"),
    (">= to >", r">=", ">"),
    ("< to <=", r"(?<![<\-])<(?![<=])", "<="),
    ("> to >=", r"(?<![>\-])>(?![>=])", ">="),
    ("== to !=", r"==", "!="),
    ("!= to ==", r"!=", "=="),
    ("&& to ||", r"&&", "||"),
    ("|| to &&", r"\|\|", "&&"),
    ("+ to -", r"(?<=[\w)\]] )\+(?= [\w(])", "-"),
    ("- to +", r"(?<=[\w)\]] )-(?= [\w(])", "+"),
    ("* to /", r"(?<=[\w)\]] )\*(?= [\w(])", "/"),
    ("+= to -=", r"\+=", "-="),
    ("-= to +=", r"-=", "+="),
    ("true to false", r"\btrue\b", "false"),
    ("false to true", r"\bfalse\b", "true"),
    ("constant + 1", r"(?<![\w.])(\d+)(?![\w.])", None),
]
STATEMENT = re.compile(r"^\s*[\w.\[\]>-]+\s*(=|\+=|-=|\+\+|--)[^=].*;\s*$|^\s*\w+\(.*\);\s*$")


def code_lines(text):
    """Line numbers worth mutating: not comments, includes or blank."""
    out = []
    for i, line in enumerate(text.split("\n")):
        stripped = line.strip()
        if not stripped or stripped.startswith(("//", "#", "*", "/*")) or '"' in line:
            continue
        out.append(i)
    return out


def sites(root):
    found = []
    for part in PARTS:
        for top, _, files in os.walk(os.path.join(root, part)):
            for name in sorted(files):
                if not name.endswith(".cpp"):
                    continue
                rel = os.path.relpath(os.path.join(top, name), root)
                lines = open(os.path.join(root, rel)).read().split("\n")
                for i in code_lines("\n".join(lines)):
                    code = lines[i].split("//")[0]
                    for op, pattern, repl in OPERATORS:
                        for m in re.finditer(pattern, code):
                            new = str(int(m.group(1)) + 1) if repl is None else repl
                            found.append((rel, i, m.start(), m.end(), new, op))
                    if STATEMENT.match(code) and not code.strip().startswith("return"):
                        found.append((rel, i, 0, len(code), "", "delete statement"))
    return sorted(found)


def run(cmd, timeout, **kw):
    try:
        return subprocess.run(cmd, timeout=timeout, capture_output=True, text=True, **kw).returncode
    except subprocess.TimeoutExpired:
        return "timeout"


def failing_tests(build, program, timeout):
    """Names of the tests that fail, or the program's name if it crashed or hung."""
    with tempfile.NamedTemporaryFile(suffix=".json") as report:
        status = run([os.path.join(build, program), f"--gtest_output=json:{report.name}"], timeout)
        if status == 0:
            return []
        try:
            data = json.load(open(report.name))
        except (ValueError, OSError):
            return [os.path.basename(program) + " (crashed or hung)"]
    failed = [f"{s['name']}.{t['name']}" for s in data["testsuites"] for t in s["testsuite"]
              if t.get("failures")]
    return failed or [os.path.basename(program) + f" (status {status})"]


def all_tests(build):
    names = []
    for program in PROGRAMS:
        listing = subprocess.run([os.path.join(build, program), "--gtest_list_tests"],
                                 capture_output=True, text=True).stdout
        suite = ""
        for line in listing.splitlines():
            if not line.startswith(" "):
                suite = line.strip()
            else:
                names.append(suite + line.split("#")[0].strip())
    return names


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--count", type=int, default=200)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--build", default=os.path.join(ROOT, "build/mutants"))
    ap.add_argument("--list", action="store_true", help="only list the chosen faults")
    args = ap.parse_args()

    chosen = sorted(random.Random(args.seed).sample(sites(ROOT), args.count))
    if args.list:
        for rel, line, a, b, new, op in chosen:
            print(f"{rel}:{line + 1}: {op}")
        return 0
    build = args.build
    if run(["cmake", "-S", ROOT, "-B", build, "-DCMAKE_BUILD_TYPE=Release", "-DBRIGHTWICKET_BENCH=OFF"], 600) != 0:
        sys.exit("mutants: cannot configure " + build)
    targets = ["--target", "bw_tests", "bw_render_tests", "brightwicket"]
    if run(["cmake", "--build", build, "-j2"] + targets, 3600) != 0:
        sys.exit("mutants: the unmutated sources do not build")
    for program in PROGRAMS:
        if failing_tests(build, program, 300):
            sys.exit(f"mutants: {program} fails before any fault is planted")

    caught, survivors, built = {}, [], 0
    only = {}
    for n, (rel, line, a, b, new, op) in enumerate(chosen, 1):
        path = os.path.join(ROOT, rel)
        original = open(path).read()
        lines = original.split("\n")
        was = lines[line]
        lines[line] = was[:a] + new + was[b:]
        where = f"{rel}:{line + 1}: {op}: {was.strip()}"
        try:
            open(path, "w").write("\n".join(lines))
            if run(["cmake", "--build", build, "-j2"] + targets, 600) != 0:
                print(f"[{n}/{len(chosen)}] does not build: {where}", flush=True)
                continue
            built += 1
            failed = []
            for program in PROGRAMS:
                failed = failing_tests(build, program, 120)
                if failed:
                    break
        finally:
            open(path, "w").write(original)
            os.utime(path)
        for test in failed:
            caught[test] = caught.get(test, 0) + 1
        if len(failed) == 1:
            only[failed[0]] = only.get(failed[0], 0) + 1
        if not failed:
            survivors.append(where)
        print(f"[{n}/{len(chosen)}] {'caught by ' + str(len(failed)) if failed else 'SURVIVED'}: {where}",
              flush=True)
    run(["cmake", "--build", build, "-j2"] + targets, 3600)

    killed = built - len(survivors)
    print(f"\nmutation score: {killed}/{built} = {100.0 * killed / max(built, 1):.1f}% "
          f"({len(chosen) - built} of {len(chosen)} faults did not build)")
    print("\nfaults no test caught:")
    for s in survivors:
        print("  " + s)
    print("\ntests: faults caught, caught by this test alone")
    for test in sorted(caught, key=lambda t: (-caught[t], t)):
        print(f"  {caught[test]:4d} {only.get(test, 0):4d}  {test}")
    for test in all_tests(build):
        if test not in caught:
            print(f"     0    0  {test}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
