#!/usr/bin/env python3
"""Checks that calpero-cli's usage, its manual page and the help pages' command-line section name
the same commands and options, so that none of them leaves out what another documents.

    check_cli_docs.py <calpero-cli> <calpero-cli.1> <help page.htm>...

The usage (`calpero-cli --help`) is the reference. Prints one line per difference and exits 1 when
there is any, 0 otherwise.
"""

import re
import subprocess
import sys
from html.parser import HTMLParser

# An option as the documents write it: "-C" or "--strict", not a negative number nor "--" alone,
# and not the "-cli" of the program's name.
OPTION = re.compile(r"(?<![\w/.~-])(--?[A-Za-z][\w-]*)")
# The options that take a value, so that the word after them is no command.
VALUED = {"-C"}


def usage_names(text):
    """Commands and options of the usage: the first word of each line under "Commands:", and the
    options at the start of each line under "Options"."""
    commands, options, block = set(), set(), None
    for line in text.splitlines():
        if not line.startswith(" "):
            block = line.split(" ")[0].rstrip(":")
            continue
        first_column = re.split(r"\s{2,}", line.strip())[0]
        if block == "Commands" and re.match(r"  [a-z]", line):
            commands.add(first_column.split()[0])
        elif block == "Options" and line.startswith("  -"):
            options.update(OPTION.findall(first_column))
    return commands, options


def man_names(text):
    """Commands and options of the manual page: the tags (.TP) of its COMMANDS and OPTIONS."""
    text = text.replace("\\-", "-")
    text = re.sub(r"\\f[BIRP]", "", text)
    commands, options, section = set(), set(), None
    lines = text.splitlines()
    for i, line in enumerate(lines):
        if line.startswith(".SH"):
            section = line[3:].strip()
        elif line.startswith(".TP") and i + 1 < len(lines):
            tag = re.sub(r"^\.[BIR]+\s+", "", lines[i + 1]).replace('"', " ")
            if section == "COMMANDS":
                commands.add(tag.split()[0])
            elif section == "OPTIONS":
                options.update(OPTION.findall(tag))
    return commands, options


class _CliSection(HTMLParser):
    """Collects the text of each <code> element in the section with the id "cli"."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.codes = []
        self._depth = 0   # sections open inside the "cli" section, itself included
        self._code = None

    def handle_starttag(self, tag, attrs):
        if tag == "section" and (self._depth or ("id", "cli") in attrs):
            self._depth += 1
        elif tag == "code" and self._depth:
            self._code = ""

    def handle_endtag(self, tag):
        if tag == "section" and self._depth:
            self._depth -= 1
        elif tag == "code" and self._code is not None:
            self.codes.append(self._code)
            self._code = None

    def handle_data(self, data):
        if self._code is not None:
            self._code += data


def help_page_names(text):
    """Commands and options of a help page's command-line section: every option written as code,
    and the command of each example that begins with calpero-cli."""
    scanner = _CliSection()
    scanner.feed(text)
    scanner.close()
    commands, options = set(), set()
    for code in scanner.codes:
        options.update(OPTION.findall(code))
        words = code.split()
        if not words or words[0] != "calpero-cli":
            continue
        rest = iter(words[1:])
        for word in rest:
            if word in VALUED:
                next(rest, None)
            elif not word.startswith("-"):
                commands.add(word)
                break
    return commands, options


def differences(what, names, reference):
    commands, options = names
    ref_commands, ref_options = reference
    return ([f"{what} leaves out {name}" for name in sorted((ref_commands - commands)
                                                            | (ref_options - options))]
            + [f"{what} names {name}, which the usage does not"
               for name in sorted((commands - ref_commands) | (options - ref_options))])


def main(arguments):
    if len(arguments) < 3:
        print("usage: check_cli_docs.py <calpero-cli> <calpero-cli.1> <help page.htm>...",
              file=sys.stderr)
        return 2
    usage = subprocess.run([arguments[0], "--help"], capture_output=True, text=True, check=True)
    reference = usage_names(usage.stdout)
    if not reference[0] or not reference[1]:
        print("the usage lists no commands or no options", file=sys.stderr)
        return 1
    with open(arguments[1], encoding="utf-8") as man:
        problems = differences(arguments[1], man_names(man.read()), reference)
    for page in arguments[2:]:
        with open(page, encoding="utf-8") as help_page:
            problems += differences(page, help_page_names(help_page.read()), reference)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
