#!/usr/bin/env python3
"""Checks every #include "..." of the tree's C++ files against the layer table, cmake/layers.txt,
the same table from which the build gives each library its include folder. The build already
refuses most wrong includes; this check also covers the tests, the benchmarks and the fuzz targets
(which see the whole source tree) and names each fault as file:line with the rule it breaks.

The rules, for a file in <folder> (the longest row of the table that holds the file's folder):
- an include "<other>/..." of a folder of the table is allowed when <other> is <folder> or is
  named in <folder>'s row;
- a file under tests/<folder>/ (<folder> a row of the table other than tests/...) follows
  <folder>'s row, and may also include <folder>, tests/<folder> and tests/support;
- an include that climbs out of its folder ("../") is refused: it would go round the rules;
- a C++ file in a folder that the table does not know is refused, so that a new folder gets its
  row before its code is written;
- includes of anything else ("gtest/gtest.h", a header beside the file) are not ours to judge.

Usage: check_layers.py [--root <folder>]   (default: the tree that holds this script)
Exits 0 when every include keeps to the table, 1 otherwise, printing one line per fault.
"""

import argparse
import os
import re
import sys

TABLE = os.path.join("cmake", "layers.txt")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SOURCE = re.compile(r"\.(cpp|h)$")
SKIPPED = re.compile(r"^(build[^/]*|\..*)$")  # build folders and hidden ones, at the top


def read_table(root):
    """{folder: set of the folders it may include besides itself}, in the table's order."""
    table = {}
    with open(os.path.join(root, TABLE), encoding="utf-8") as rows:
        for line in rows:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            folder, _, below = line.partition(":")
            table[folder.strip()] = set(below.split())
    return table


def rule_of(relative, table):
    """(name of the rule, folders that the file at `relative` may include), or None when the
    table has no row for its folder."""
    folder = os.path.dirname(relative)
    parts = folder.split("/")
    for length in range(len(parts), 0, -1):
        prefix = "/".join(parts[:length])
        if prefix in table:
            return prefix, table[prefix] | {prefix}
    if len(parts) >= 2 and parts[0] == "tests" and parts[1] in table:
        tested = parts[1]
        allowed = table[tested] | {tested, "tests/" + tested, "tests/support"}
        return "tests/" + tested, allowed
    return None


def included_folder(name, table):
    """The table's folder that an include names (the longest that fits), or None."""
    parts = name.split("/")
    for length in range(len(parts) - 1, 0, -1):
        prefix = "/".join(parts[:length])
        if prefix in table or (parts[0] == "tests" and length == 2):
            return prefix
    return None


def sources(root):
    for folder, subfolders, files in os.walk(root, followlinks=True):
        if folder == root:
            subfolders[:] = [s for s in subfolders if not SKIPPED.match(s)]
        for name in files:
            if SOURCE.search(name):
                yield os.path.relpath(os.path.join(folder, name), root)


def problems(root):
    """Each fault as a line "<file>:<line>: <what> (<rule>)"."""
    table = read_table(root)
    found = []
    for relative in sorted(sources(root)):
        if "/" not in relative:
            continue  # a file at the top is no folder's
        rule = rule_of(relative, table)
        if rule is None:
            found.append(f"{relative}:1: {os.path.dirname(relative)}/ has no row in {TABLE}")
            continue
        name, allowed = rule
        with open(os.path.join(root, relative), encoding="utf-8", errors="replace") as text:
            for number, line in enumerate(text, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                included = match.group(1)
                if included.startswith("../") or "/../" in included:
                    found.append(f'{relative}:{number}: #include "{included}" climbs out of its '
                                 f"folder (includes name the folder from the source root)")
                    continue
                target = included_folder(included, table)
                if target is not None and target not in allowed:
                    found.append(f'{relative}:{number}: #include "{included}": {name}/ may '
                                 f"include only {', '.join(sorted(allowed))} ({TABLE})")
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n", 1)[0])
    parser.add_argument("--root", default=os.path.dirname(os.path.dirname(
        os.path.abspath(__file__))))
    arguments = parser.parse_args()
    found = problems(arguments.root)
    for line in found:
        print(line, file=sys.stderr)
    if found:
        print(f"check_layers: {len(found)} includes run against the layers", file=sys.stderr)
        return 1
    print("check_layers: every include keeps to the layers")
    return 0


if __name__ == "__main__":
    sys.exit(main())
