#!/usr/bin/env python3
"""Checks that a help page stands on its own: every link inside the page leads somewhere, and the
page loads nothing from outside itself. Given the English page as well, it also checks that a
translated page is whole: the same ids in the same order (so a section or table row added in
English fails here until it is translated) and at least MIN_WORD_SHARE of the English words.
Given the window's texts (a Qt .ts file), it checks that every hint the page quotes (class "hint")
and every message of its messages table is one of the window's texts in the page's language, so
the help calls each control what the window calls it.

The help page is opened from the program's folder in whatever browser the desktop offers, often
with no network; so it must carry its pictures and styles inline, and its contents list and
cross-references must all land on an element of the page.

    check_help_page.py <page.htm> [--english <english page.htm>] [--window-texts <file.ts>]

Prints one line per problem and exits 1 when there is any, 0 otherwise.
"""

import argparse
import re
import sys
import xml.etree.ElementTree as ElementTree
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
        self.language = "en"
        self.quoted = []       # (window text the page quotes, line)
        self._quote = None     # (text so far, tag that ends it, line) while inside a quotation
        self._messages_cell = 0  # 1 in the messages table, 2 in a cell of its first column
        self._in_style = False
        self._unread_depth = 0

    def handle_starttag(self, tag, attrs):
        line = self.getpos()[0]
        self._start_quotation(tag, dict(attrs), line)
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

    def _start_quotation(self, tag, attrs, line):
        if tag == "html":
            self.language = attrs.get("lang", "en")
        if tag == "section" and attrs.get("id") == "messages":
            self._messages_cell = 1
        if tag == "tr" and self._messages_cell:
            self._messages_cell = 1
        if self._quote is None and (
                (tag in ("span", "td") and "hint" in (attrs.get("class") or "").split())
                or (tag == "td" and self._messages_cell == 1)):
            self._quote = ("", tag, line)
        if tag == "td" and self._messages_cell == 1:
            self._messages_cell = 2

    def handle_endtag(self, tag):
        if self._quote is not None and tag == self._quote[1]:
            self.quoted.append((" ".join(self._quote[0].split()), self._quote[2]))
            self._quote = None
        if tag == "section":
            self._messages_cell = 0
        if tag == "style":
            self._in_style = False
        if tag in UNREAD_ELEMENTS and self._unread_depth > 0:
            self._unread_depth -= 1

    def handle_data(self, data):
        if self._in_style:
            self._scan_css(data, self.getpos()[0], "<style>")
        if self._quote is not None:
            self._quote = (self._quote[0] + data, *self._quote[1:])
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


def window_texts(ts_text, language):
    """The window's texts in `language` from a Qt .ts file: the sources for English, the
    translations otherwise; each as a pattern in which a placeholder (%1) stands for any text,
    whitespace for any whitespace, and a message may end with the full stop the window adds."""
    patterns = []
    for message in ElementTree.fromstring(ts_text).iter("message"):
        text = message.findtext("source" if language == "en" else "translation") or ""
        text = " ".join(text.replace("&&", "&").split())
        parts = [re.escape(part) for part in re.split(r"%\d", text)]
        patterns.append(re.compile(".+".join(parts) + r"\.?"))
    return patterns


def window_text_problems(html_text, ts_text):
    """Returns each window text that the page quotes but the window does not show."""
    page = _scanned(html_text)
    patterns = window_texts(ts_text, page.language)
    return [f"line {line}: '{quoted}' is not a text of the window in '{page.language}'"
            for quoted, line in page.quoted
            if not any(pattern.fullmatch(quoted.replace("\u2026", "x")) for pattern in patterns)]


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
    parser = argparse.ArgumentParser(description="Checks a help page.")
    parser.add_argument("page")
    parser.add_argument("--english", help="the English page, which a translation must match")
    parser.add_argument("--window-texts", help="the window's texts, a Qt .ts file")
    options = parser.parse_args(arguments)
    with open(options.page, encoding="utf-8") as page:
        text = page.read()
    problems = page_problems(text)
    if options.english:
        with open(options.english, encoding="utf-8") as english:
            problems += translation_problems(text, english.read())
    if options.window_texts:
        with open(options.window_texts, encoding="utf-8") as texts:
            problems += window_text_problems(text, texts.read())
    for problem in problems:
        print(f"{options.page}: {problem}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
