#!/usr/bin/env python3
"""Plans clang-tidy's runs for scripts/lint.sh. Prints one line per run: the file to give
clang-tidy, a tab, and the sources that the run checks, separated by spaces.

A file whose configuration runs the path-sensitive analyzer (the toolkit-free code) runs alone:
the analyzer looks only at the functions of the file that clang-tidy was given. Files whose
configuration leaves it out (the widgets and the tests) spend most of their run parsing and
matching Qt, GoogleTest and the standard library, the same for each file of a target. The files
of one target and one configuration are therefore checked in one run of a generated file that
includes them one after another, so that those headers are parsed and matched once, not once per
file. The generated file lives under <build>/lint-units, at the same relative folder as its
sources and beside copies of the project's folder configurations, so that clang-tidy finds the
same configuration for it as for them; that folder also gets the compile commands of the
generated files, and beside each a line filter (clang-tidy's --line-filter) that reports the
findings a run of each source alone would report: in the sources themselves, and in the
project's headers that the configuration's HeaderFilterRegex takes, and nowhere else.

Usage: lint_units.py <build folder> <regex of the paths to check>
"""

import json
import os
import re
import shlex
import shutil
import subprocess
import sys


def configuration(relative_dir, cache={}):
    """(enabled checks, header filter regex) as clang-tidy reads them for a file in relative_dir."""
    if relative_dir not in cache:
        probe = os.path.join(relative_dir, "probe.cpp")
        checks = subprocess.run(["clang-tidy", "--list-checks", probe], capture_output=True,
                                text=True, check=True).stdout.split()
        dump = subprocess.run(["clang-tidy", "--dump-config", probe], capture_output=True,
                              text=True, check=True).stdout
        header = re.search(r"^HeaderFilterRegex:\s*'(.*)'$", dump, re.MULTILINE)
        cache[relative_dir] = (tuple(checks[2:]), header.group(1) if header else "")
    return cache[relative_dir]


def without_output(arguments, source):
    """The compile command without its source file and its object file."""
    kept = []
    skip = False
    for argument in arguments:
        if skip:
            skip = False
        elif argument == "-o":
            skip = True
        elif argument not in ("-c", source):
            kept.append(argument)
    return tuple(kept)


def main():
    build, only = sys.argv[1], re.compile(sys.argv[2])
    root = os.getcwd()
    build_abs = os.path.abspath(build)
    units_dir = os.path.join(build_abs, "lint-units")
    tracked = subprocess.run(["git", "ls-files", "*.h", "*.cpp", "*.clang-tidy"],
                             capture_output=True, text=True, check=True).stdout.split()

    alone = []
    together = {}
    with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as commands:
        entries = json.load(commands)
    for entry in entries:
        path = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
        if not path.startswith(root + os.sep) or path.startswith(build_abs + os.sep):
            continue  # moc's and rcc's files, generated into the build
        relative = os.path.relpath(path, root)
        if not only.search(relative):
            continue
        checks, _ = configuration(os.path.dirname(relative))
        if any(check.startswith("clang-analyzer-") for check in checks):
            alone.append(relative)
            continue
        arguments = shlex.split(entry["command"])
        target = arguments[arguments.index("-o") + 1].split(".dir/")[0]
        key = (checks, target, without_output(arguments, entry["file"]))
        together.setdefault(key, (entry, []))[1].append(relative)

    shutil.rmtree(units_dir, ignore_errors=True)  # nothing left from an earlier plan
    os.makedirs(units_dir)
    for config in (c for c in tracked if c.endswith(".clang-tidy") and os.path.dirname(c)):
        os.makedirs(os.path.join(units_dir, os.path.dirname(config)), exist_ok=True)
        with open(config, encoding="utf-8") as source, \
             open(os.path.join(units_dir, config), "w", encoding="utf-8") as copy:
            copy.write(source.read())

    layers_dir = os.path.join(build_abs, "layers")
    layers = [os.path.join(layers_dir, layer) for layer in sorted(os.listdir(layers_dir))
              if os.path.isdir(os.path.join(layers_dir, layer))] if os.path.isdir(layers_dir) else []
    plan = [(source, [source]) for source in alone]
    unit_commands = []
    for (_, target, _), (entry, members) in together.items():
        if len(members) == 1:
            plan.append((members[0], members))
            continue
        members.sort()
        folder = os.path.join(units_dir, os.path.dirname(members[0]))
        os.makedirs(folder, exist_ok=True)
        unit = os.path.join(folder, os.path.basename(target) + ".cpp")
        with open(unit, "w", encoding="utf-8") as out:
            out.write("// Made by scripts/lint_units.py: the sources of one clang-tidy run.\n")
            out.writelines(f'#include "{os.path.join(root, member)}"\n' for member in members)
        _, header_filter = configuration(os.path.dirname(members[0]))
        headers = [h for h in tracked
                   if h.endswith(".h") and re.search(header_filter, os.path.join(root, h))]
        names = [os.path.join(root, name) for name in members + headers]
        # A library's sources find the project's headers through its layer's include folder
        # (<build>/layers/<folder>, links to the folders it may include; see
        # cmake/CalperoLayers.cmake), and clang-tidy names a header by the path it was found at.
        names += [os.path.join(layer, header) for layer in layers for header in headers
                  if os.path.exists(os.path.join(layer, header.split("/", 1)[0]))]
        with open(unit + ".line-filter", "w", encoding="utf-8") as out:
            json.dump([{"name": name} for name in names], out)
        unit_commands.append({"directory": entry["directory"], "file": unit,
                              "command": entry["command"].replace(entry["file"], unit)})
        plan.append((os.path.relpath(unit, root), members))
    with open(os.path.join(units_dir, "compile_commands.json"), "w", encoding="utf-8") as out:
        json.dump(unit_commands, out, indent=1)

    # The longest runs first, so that none is left running alone at the end.
    plan.sort(key=lambda item: -len(item[1]))
    for checked, members in plan:
        print(checked + "\t" + " ".join(members))


main()
