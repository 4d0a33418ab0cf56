#!/usr/bin/env python3
"""Checks that every text of the windows is translated, and translated so that it works.

Runs lupdate over the windows' sources into a copy of each translation source, as
`cmake --build <build> --target update_translations` would, and reports each text that is new
(unfinished), left empty, or whose translation would change how the program treats it:

- the places "%1", "%2" that the program fills must all be there;
- a "|" divides a hint into its pop-up and status-bar parts, so none may be added or lost;
- a lone "&" gives a control an access key, which no caption has: a translation keeps the
  "&&" that shows one ampersand and adds no lone "&".

    check_translations.py <lupdate> <file.ts>... -- <source>... [lupdate option]...

The sources (folders or files) and options are handed to lupdate as they are.

Prints one line per problem and exits 1 when there is any, 0 otherwise.
"""

import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as tree
from pathlib import Path

PLACES = re.compile(r"%\d")


def lone_ampersands(text):
    return len(re.findall(r"&", text.replace("&&", "")))


def problems_in(ts_file, name):
    problems = []
    for context in tree.parse(ts_file).getroot().iter("context"):
        where = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            text = "" if translation is None else (translation.text or "")
            said = f"{name}: {where}: {source!r}"
            if translation is None or translation.get("type") == "unfinished":
                problems.append(f"{said} is not translated")
                continue
            if translation.get("type") in ("vanished", "obsolete"):
                continue
            # A text that depends on a count has one form per grammatical number; each is checked.
            forms = [form.text or "" for form in translation.iter("numerusform")] or [text]
            for text in forms:
                problem = problem_of(text, source)
                if problem:
                    problems.append(f"{said}{problem}")
    return problems


def problem_of(text, source):
    if not text.strip():
        return " has an empty translation"
    if sorted(PLACES.findall(text)) != sorted(PLACES.findall(source)):
        return f": {text!r} does not keep the places {PLACES.findall(source)}"
    if text.count("|") != source.count("|"):
        return f": {text!r} changes the hint's '|' divider"
    if lone_ampersands(text) > lone_ampersands(source):
        return f": {text!r} gives the control an access key ('&')"
    return ""


def main(argv):
    if "--" not in argv[2:] or len(argv) < 5:
        print(__doc__, file=sys.stderr)
        return 2
    divider = argv.index("--", 2)
    lupdate, ts_files, sources = argv[1], argv[2:divider], argv[divider + 1:]
    problems = []
    with tempfile.TemporaryDirectory() as scratch:
        for ts_file in ts_files:
            copy = Path(scratch) / Path(ts_file).name
            shutil.copyfile(ts_file, copy)
            run = subprocess.run([lupdate, "-no-obsolete", "-locations", "none", *sources,
                                  "-ts", str(copy)], capture_output=True, text=True)
            if run.returncode != 0:
                problems.append(f"lupdate failed on {ts_file}: {run.stderr.strip()}")
                continue
            problems += problems_in(copy, Path(ts_file).name)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
