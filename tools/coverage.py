#!/usr/bin/env python3
"""Sums a gcovr JSON summary by source folder and checks the branch coverage floors.

    gcovr --json-summary cov.json ... && tools/coverage.py cov.json

Prints lines and branches covered for every folder (host/<part>, ui, tools/<tool>); fails when a
guarded group (the configuration library, the saves, the profile) has fewer of its branches
covered than its floor. Standard library only.
"""

import collections
import fnmatch
import json
import sys

# The code whose every branch matters most: what reads and writes the player's files, with the
# share of its branches that must be covered: 90 % for each. A floor only ever goes up.
GUARDED = collections.OrderedDict([
    ("host/config", (["host/config/*"], 90.0)),
    ("ui/Saves", (["ui/Saves.*"], 90.0)),
    ("host/profile", (["host/profile/*"], 90.0)),
])


def folder_of(path):
    parts = path.split("/")
    if parts[0] in ("host", "tools") and len(parts) > 2:
        return "/".join(parts[:2])
    return parts[0] if len(parts) > 1 else "."


def percent(covered, total):
    return 100.0 * covered / total if total else 100.0


def main():
    with open(sys.argv[1], encoding="utf-8") as f:
        files = json.load(f)["files"]
    folders = collections.defaultdict(collections.Counter)
    groups = collections.defaultdict(collections.Counter)
    for entry in files:
        name = entry["filename"]
        counts = collections.Counter(lines=entry["line_covered"], line_total=entry["line_total"],
                                     branches=entry["branch_covered"],
                                     branch_total=entry["branch_total"])
        folders[folder_of(name)].update(counts)
        for group, (patterns, _) in GUARDED.items():
            if any(fnmatch.fnmatch(name, p) for p in patterns):
                groups[group].update(counts)

    print("%-22s %16s %18s" % ("folder", "lines", "branches"))
    for folder in sorted(folders):
        c = folders[folder]
        print("%-22s %6.1f %% %7s %7.1f %% %8s" % (
            folder, percent(c["lines"], c["line_total"]), "%d/%d" % (c["lines"], c["line_total"]),
            percent(c["branches"], c["branch_total"]),
            "%d/%d" % (c["branches"], c["branch_total"])))
    failed = False
    print("\nbranch coverage floors:")
    for group, (_, floor) in GUARDED.items():
        c = groups[group]
        figure = percent(c["branches"], c["branch_total"])
        ok = c["branch_total"] > 0 and figure >= floor
        failed |= not ok
        print("  %-14s %5.1f %% (floor %.0f %%)  %s" % (group, figure, floor,
                                                     "ok" if ok else "BELOW THE FLOOR"))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
