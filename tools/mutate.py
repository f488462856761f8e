#!/usr/bin/env python3
"""Mutation testing for kel-ui: how many small faults does the suite notice?

Mutates one source file at a time (one change per run), rebuilds what changed with ninja, runs
the suite and counts the mutant as killed (a test failed or timed out), survived (the suite
passed) or not compiled. The file is always put back, also on Ctrl-C. See docs/quality.md.

    tools/mutate.py ui/ --sample 4 --seed 7 --build-dir build
"""

import argparse
import collections
import os
import random
import re
import signal
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Binary comparisons as clang-format writes them: spaces on both sides (templates have none).
COMPARISON = re.compile(r"(?<=\s)(==|!=|<=|>=|<|>)(?=\s)")
FLIPPED = {"==": "!=", "!=": "==", "<": ">=", ">=": "<", ">": "<=", "<=": ">"}
INTEGER = re.compile(r"(?<![\w.])(\d+)(?![\w.])")
# A statement that only calls something: "f(...);", "a.b(...);", "a->b(...);", "ns::f(...);".
CALL = re.compile(r"^\s*(?:[A-Za-z_][\w:]*(?:\.|->))*[A-Za-z_][\w:]*\(.*\);\s*$")
RETURN = re.compile(r"^(\s*return )(.+);\s*$")
ROW = re.compile(r"^\s*\{.*\},?\s*(//.*)?$")
KEYWORDS = ("return", "delete", "if", "while", "for", "switch", "case", "throw", "static_assert")


def strip_strings(line):
    """The line with string and character literals and a trailing comment blanked out, so that
    nothing inside them is mutated (positions are kept)."""
    out, i, quote = list(line), 0, None
    while i < len(line):
        c = line[i]
        if quote:
            out[i] = " "
            if c == "\\":
                if i + 1 < len(line):
                    out[i + 1] = " "
                i += 2
                continue
            if c == quote:
                quote = None
        elif c in "\"'":
            quote = c
        elif line.startswith("//", i):
            return "".join(out[:i]) + " " * (len(line) - i)
        i += 1
    return "".join(out)


def mutants_of(lines):
    """Every mutant of a file: (line index, description, new text of that line[, index of a
    second line and its new text for a swap])."""
    found = []
    in_comment = False
    for n, line in enumerate(lines):
        text = strip_strings(line)
        stripped = text.strip()
        if in_comment:
            in_comment = "*/" not in stripped
            continue
        if stripped.startswith("/*"):
            in_comment = "*/" not in stripped
            continue
        if not stripped or stripped.startswith("#"):
            continue
        for m in COMPARISON.finditer(text):
            old = m.group(1)
            new = line[: m.start()] + FLIPPED[old] + line[m.end() :]
            found.append((n, "col %d: %s -> %s" % (m.start() + 1, old, FLIPPED[old]), new))
        for m in INTEGER.finditer(text):
            value = int(m.group(1))
            for other in (value + 1, value - 1) if value else (1,):
                new = line[: m.start()] + str(other) + line[m.end() :]
                found.append((n, "col %d: %d -> %d" % (m.start() + 1, value, other), new))
        first = re.match(r"[\w:]*", stripped).group(0)
        starts_statement = n == 0 or strip_strings(lines[n - 1]).strip()[-1:] in ("", ";", "{", "}", ":")
        if CALL.match(text) and first not in KEYWORDS and starts_statement:
            indent = line[: len(line) - len(line.lstrip())]
            found.append((n, "delete call: " + line.strip(), indent + ";\n"))
        m = RETURN.match(text)
        if m:
            value = line[len(m.group(1)) :].rstrip().rstrip(";")
            if value == "true" or value == "false":
                other = "false" if value == "true" else "true"
            elif re.fullmatch(r"-?\d+", value):
                other = str(int(value) + 1)
            elif value in ("{}", "nullptr"):
                other = None
            else:
                other = "{}"
            if other:
                new = m.group(1) + other + ";\n"
                found.append((n, "return %s -> %s" % (value, other), new))
        if n + 1 < len(lines) and ROW.match(text) and ROW.match(strip_strings(lines[n + 1])):
            if lines[n].strip().rstrip(",") != lines[n + 1].strip().rstrip(","):
                a, b = lines[n], lines[n + 1]
                # Keep each line's own trailing comma so the list stays well formed.
                a_row, b_row = a.rstrip("\n").rstrip(), b.rstrip("\n").rstrip()
                a_comma, b_comma = a_row.endswith(","), b_row.endswith(",")
                a_core, b_core = a_row.rstrip(","), b_row.rstrip(",")
                a_ind = a[: len(a) - len(a.lstrip())]
                b_ind = b[: len(b) - len(b.lstrip())]
                new_a = a_ind + b_core.strip() + ("," if a_comma else "") + "\n"
                new_b = b_ind + a_core.strip() + ("," if b_comma else "") + "\n"
                found.append((n, "swap rows %d and %d" % (n + 1, n + 2), new_a, n + 1, new_b))
    return found


def source_files(paths):
    files = []
    for path in paths:
        full = os.path.join(ROOT, path)
        if os.path.isdir(full):
            for name in sorted(os.listdir(full)):
                if name.endswith(".cpp"):
                    files.append(os.path.relpath(os.path.join(full, name), ROOT))
        elif os.path.isfile(full):
            files.append(os.path.relpath(full, ROOT))
        else:
            sys.exit("no such file or folder: " + path)
    return files


class Runner:
    def __init__(self, args):
        self.build_dir = os.path.abspath(args.build_dir)
        self.timeout = args.timeout
        self.profile = tempfile.mkdtemp(prefix="kel-mutate-")
        self.suite = [os.path.join(self.build_dir, "tests", "kel-tests"), "--gtest_brief=1",
                      "--gtest_fail_fast"]
        if args.filter:
            self.suite.append("--gtest_filter=" + args.filter)

    def build(self):
        result = subprocess.run(["ninja", "-C", self.build_dir, "kel-tests"],
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        return result.returncode == 0

    def suite_passes(self):
        env = dict(os.environ, KEL_PROFILE_DIR=self.profile)
        try:
            result = subprocess.run(self.suite, env=env, stdout=subprocess.DEVNULL,
                                    stderr=subprocess.DEVNULL, timeout=self.timeout,
                                    start_new_session=True)
        except subprocess.TimeoutExpired:
            return False
        return result.returncode == 0


def interrupted(*_):
    raise KeyboardInterrupt()


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("paths", nargs="+", help="source files or folders (their .cpp files)")
    parser.add_argument("--sample", type=int, default=5, help="mutants per file (0: all)")
    parser.add_argument("--seed", type=int, default=1, help="random seed of the sample")
    parser.add_argument("--build-dir", default=os.path.join(ROOT, "build"),
                        help="a configured ninja build dir of this tree")
    parser.add_argument("--timeout", type=float, default=300, help="seconds per suite run")
    parser.add_argument("--filter", help="a --gtest_filter for the suite (default: all)")
    parser.add_argument("--at", type=int, help="only the mutants of this line (one file)")
    parser.add_argument("--list", action="store_true", help="only list the sampled mutants")
    args = parser.parse_args()

    rng = random.Random(args.seed)
    plan = []
    for path in source_files(args.paths):
        with open(os.path.join(ROOT, path), encoding="utf-8") as f:
            lines = f.readlines()
        candidates = mutants_of(lines)
        if args.at:
            candidates = [c for c in candidates if c[0] + 1 == args.at]
        if args.sample and len(candidates) > args.sample:
            candidates = rng.sample(candidates, args.sample)
        plan += [(path, lines, c) for c in sorted(candidates, key=lambda c: c[0])]

    if args.list:
        for path, _, c in plan:
            print("%s:%d: %s" % (path, c[0] + 1, c[1]))
        return 0

    runner = Runner(args)
    if not runner.build() or not runner.suite_passes():
        sys.exit("the unmutated tree must build and pass first")

    # Ctrl-C and a kill both end up in the finally below, which puts the file back.
    signal.signal(signal.SIGTERM, interrupted)
    results = []
    try:
        for i, (path, lines, mutant) in enumerate(plan):
            mutated = list(lines)
            mutated[mutant[0]] = mutant[2]
            if len(mutant) > 3:
                mutated[mutant[3]] = mutant[4]
            full = os.path.join(ROOT, path)
            start = time.time()
            try:
                with open(full, "w", encoding="utf-8") as f:
                    f.writelines(mutated)
                if not runner.build():
                    outcome = "not compiled"
                elif runner.suite_passes():
                    outcome = "survived"
                else:
                    outcome = "killed"
            finally:
                with open(full, "w", encoding="utf-8") as f:
                    f.writelines(lines)
            results.append((path, mutant, outcome))
            print("[%d/%d] %s:%d: %s: %s (%.0f s)" % (i + 1, len(plan), path, mutant[0] + 1,
                                                     mutant[1], outcome, time.time() - start),
                  flush=True)
    except KeyboardInterrupt:
        print("interrupted: every file is restored; the report covers the mutants run")
    runner.build()
    report(results)
    return 0


def report(results):
    folders = collections.OrderedDict()
    for path, mutant, outcome in results:
        folder = "ui/Saves.cpp" if path == "ui/Saves.cpp" else os.path.dirname(path)
        folders.setdefault(folder, collections.Counter())[outcome] += 1
    print("\n%-24s %7s %9s %13s %10s" % ("folder", "killed", "survived", "not compiled",
                                          "kill rate"))
    for folder, count in folders.items():
        tried = count["killed"] + count["survived"]
        rate = "%.0f %%" % (100.0 * count["killed"] / tried) if tried else "-"
        print("%-24s %7d %9d %13d %10s" % (folder, count["killed"], count["survived"],
                                           count["not compiled"], rate))
    survivors = [(p, m) for p, m, o in results if o == "survived"]
    if survivors:
        print("\nsurvivors:")
        for path, mutant in survivors:
            print("  %s:%d: %s" % (path, mutant[0] + 1, mutant[1]))


if __name__ == "__main__":
    sys.exit(main())
