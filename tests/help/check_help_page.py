#!/usr/bin/env python3
"""Checks that a help page stands on its own: every link inside the page leads somewhere, and the
page loads nothing from outside itself. Given the English page as well, it also checks that a
translated page is whole: the same ids in the same order (so a section or table row added in
English fails here until it is translated) and at least MIN_WORD_SHARE of the English words.

The help page is opened from the program's folder in whatever browser the desktop offers, often
with no network; so it must carry its pictures and styles inline, and its contents list and
cross-references must all land on an element of the page.

    check_help_page.py <page.htm> [<english page.htm>]

Prints one line per problem and exits 1 when there is any, 0 otherwise.
"""

import re
import sys
from html.parser import HTMLParser

# Attributes through which HTML and inline SVG load or point at other documents.
LINK_ATTRIBUTES = {"href", "src", "srcset", "action", "formaction", "data", "poster", "background",
                   "xlink:href", "longdesc", "manifest", "cite", "ping"}
# url(...) in a style sheet or a presentation attribute such as fill="url(#gradient)".
CSS_URL = re.compile(r"""url\(\s*(['"]?)(.*?)\1\s*\)""", re.IGNORECASE)
CSS_IMPORT = re.compile(r"""@import\s+(?:url\()?\s*['"]?([^'")\s;]+)""", re.IGNORECASE)
# Schemes that open something without loading anything into the page.
HARMLESS_SCHEMES = ("mailto:",)
# A translation this much shorter than the English page has left something out.
MIN_WORD_SHARE = 0.85
# Elements whose text a reader does not read as words.
UNREAD_ELEMENTS = {"style", "script", "svg"}


class _PageScanner(HTMLParser):
    """Collects the page's ids and every reference it makes, with the line each stands on."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.ids = {}          # id -> first line
        self.duplicates = []   # (id, line)
        self.references = []   # (target, line, what)
        self.id_order = []     # every id, in the order of the page
        self.words = 0         # words of the text a reader sees
        self._in_style = False
        self._unread_depth = 0

    def handle_starttag(self, tag, attrs):
        line = self.getpos()[0]
        for name, value in attrs:
            value = value or ""
            if name == "id" or (tag == "a" and name == "name"):
                if value in self.ids:
                    self.duplicates.append((value, line))
                else:
                    self.ids[value] = line
                    self.id_order.append(value)
            elif name in LINK_ATTRIBUTES:
                self.references.append((value.strip(), line, f"<{tag} {name}>"))
            else:
                # style="...", and SVG's fill, stroke, clip-path, mask and filter
                self._scan_css(value, line, f"<{tag} {name}>")
        if tag == "style":
            self._in_style = True
        if tag in UNREAD_ELEMENTS:
            self._unread_depth += 1

    def handle_startendtag(self, tag, attrs):
        self.handle_starttag(tag, attrs)
        if tag in UNREAD_ELEMENTS:
            self._unread_depth -= 1

    def handle_endtag(self, tag):
        if tag == "style":
            self._in_style = False
        if tag in UNREAD_ELEMENTS and self._unread_depth > 0:
            self._unread_depth -= 1

    def handle_data(self, data):
        if self._in_style:
            self._scan_css(data, self.getpos()[0], "<style>")
        if self._unread_depth == 0:
            self.words += len(re.findall(r"\w+(?:[-'’]\w+)*", data))

    def _scan_css(self, text, line, what):
        for match in CSS_URL.finditer(text):
            self.references.append((match.group(2).strip(), line, f"url() in {what}"))
        for match in CSS_IMPORT.finditer(text):
            self.references.append((match.group(1).strip(), line, f"@import in {what}"))


def _scanned(html_text):
    scanner = _PageScanner()
    scanner.feed(html_text)
    scanner.close()
    return scanner


def translation_problems(html_text, english_text):
    """Returns what a translated page lacks against the English page: ids missing or out of order,
    and too few words."""
    page, english = _scanned(html_text), _scanned(english_text)
    problems = [f"the section or element '{name}' of the English page is missing"
                for name in english.id_order if name not in page.ids]
    problems += [f"the id '{name}' is not on the English page"
                 for name in page.id_order if name not in english.ids]
    if not problems and page.id_order != english.id_order:
        problems.append("the ids stand in another order than on the English page: "
                        + ", ".join(page.id_order))
    if page.words < MIN_WORD_SHARE * english.words:
        problems.append(f"{page.words} words, fewer than {MIN_WORD_SHARE:.0%} of the English "
                        f"page's {english.words}")
    return problems


def page_problems(html_text):
    """Returns the problems of a page given as text, one readable line each; empty when none."""
    scanner = _scanned(html_text)
    problems = [f"line {line}: the id '{name}' is used more than once"
                for name, line in scanner.duplicates]
    for target, line, what in scanner.references:
        if target.startswith("#"):
            if target[1:] not in scanner.ids:
                problems.append(f"line {line}: {what} points at '{target}', which no element has")
        elif target == "":
            problems.append(f"line {line}: {what} is empty")
        elif not target.lower().startswith(HARMLESS_SCHEMES):
            problems.append(f"line {line}: {what} reaches outside the page: '{target}'")
    return problems


def main(arguments):
    if len(arguments) not in (1, 2):
        print("usage: check_help_page.py <page.htm> [<english page.htm>]", file=sys.stderr)
        return 2
    with open(arguments[0], encoding="utf-8") as page:
        text = page.read()
    problems = page_problems(text)
    if len(arguments) == 2:
        with open(arguments[1], encoding="utf-8") as english:
            problems += translation_problems(text, english.read())
    for problem in problems:
        print(f"{arguments[0]}: {problem}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
