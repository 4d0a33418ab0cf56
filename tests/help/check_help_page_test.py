#!/usr/bin/env python3
"""Tests of check_help_page.py on small pages, each holding one fault or none, so that the check
of the real help page is known to catch what it claims to."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_help_page import (page_problems, translation_problems,  # noqa: E402
                             window_text_problems)


def page(body, head=""):
    return f"<!DOCTYPE html><html><head>{head}</head><body>{body}</body></html>"


class SelfContainedPagesPass(unittest.TestCase):
    CASES = {
        "links to ids of sections and list items": page(
            '<nav><a href="#one">1</a> <a href="#two">2</a></nav>'
            '<section id="one"></section><ul><li id="two">x</li></ul>'),
        "a link to an old-style named anchor": page('<a href="#top">up</a><a name="top"></a>'),
        "inline svg whose fill names its own gradient": page(
            '<svg><defs><linearGradient id="glow"/></defs><rect fill="url(#glow)"/></svg>'),
        "a style sheet without urls": page("", "<style>body { color: #123; }</style>"),
        "a mail link": page('<a href="mailto:someone@example.invalid">write</a>'),
    }

    def test_pages_without_faults_have_no_problems(self):
        for name, text in self.CASES.items():
            with self.subTest(name):
                self.assertEqual(page_problems(text), [])


class FaultsAreReported(unittest.TestCase):
    # name -> (page, a word that the one problem reported must contain)
    CASES = {
        "a link to a missing id": (page('<a href="#nowhere">x</a>'), "'#nowhere'"),
        "a link whose id differs in case": (page('<a href="#Top">x</a><p id="top"></p>'), "'#Top'"),
        "an id used twice": (page('<p id="a"></p><p id="a"></p>'), "more than once"),
        "an empty link": (page('<a href="">x</a>'), "empty"),
        "a web link": (page('<a href="https://example.invalid/">x</a>'), "outside"),
        "a picture from a file": (page('<img src="calpero.png" alt="">'), "outside"),
        "a script from a file": (page('<script src="help.js"></script>'), "outside"),
        "a linked style sheet": (page("", '<link rel="stylesheet" href="help.css">'), "outside"),
        "a url in a style sheet": (page("", "<style>body { background: url(paper.png); }</style>"),
                                   "outside"),
        "a quoted url in a style attribute": (page('<p style="background: url(\'a.png\')"></p>'),
                                              "outside"),
        "an import in a style sheet": (page("", '<style>@import "fonts.css";</style>'), "outside"),
        "an svg picture from a file": (page('<svg><image xlink:href="bin.svg"/></svg>'),
                                       "outside"),
        "a gradient that is not on the page": (page('<svg><rect fill="url(#gone)"/></svg>'),
                                               "'#gone'"),
    }

    def test_each_fault_gives_one_problem_that_names_it(self):
        for name, (text, word) in self.CASES.items():
            with self.subTest(name):
                problems = page_problems(text)
                self.assertEqual(len(problems), 1, problems)
                self.assertIn(word, problems[0])

    def test_problems_name_the_line_of_the_fault(self):
        problems = page_problems('<p id="a"></p>\n\n<a href="#b">x</a>\n')
        self.assertEqual(problems, ["line 3: <a href> points at '#b', which no element has"])


class TranslationsAreWhole(unittest.TestCase):
    ENGLISH = page('<section id="a"><h3 id="a1">One two three four</h3></section>'
                   '<section id="b">five six seven eight nine ten</section>')

    def test_a_whole_translation_passes(self):
        self.assertEqual(translation_problems(
            page('<section id="a"><h3 id="a1">Eins zwei drei vier</h3></section>'
                 '<section id="b">fünf sechs sieben acht neun zehn</section>'), self.ENGLISH), [])

    def test_each_shortcoming_is_named(self):
        cases = {
            "a section left out": (page('<section id="a"><h3 id="a1">1 2 3 4 5 6 7 8 9</h3>'
                                        '</section>'), "'b'"),
            "a section of its own": (page('<section id="a"><h3 id="a1">1 2 3 4</h3></section>'
                                          '<section id="b">5 6 7 8 9 10</section><p id="c"></p>'),
                                     "'c'"),
            "sections in another order": (page('<section id="b">5 6 7 8 9 10</section><section '
                                               'id="a"><h3 id="a1">1 2 3 4</h3></section>'),
                                          "order"),
            "a summary": (page('<section id="a"><h3 id="a1">Eins</h3></section><section id="b">'
                               'zwei drei vier fünf sechs sieben acht</section>'), "8 words"),
            "words counted only where a reader sees them": (
                page('<section id="a"><h3 id="a1">1 2 3 4</h3></section><section id="b">5'
                     '<svg><text>6 7 8 9 10</text></svg></section>',
                     "<style>p { font: 1 2 3 4 5 6 }</style>"), "5 words"),
        }
        for name, (text, word) in cases.items():
            with self.subTest(name):
                problems = translation_problems(text, self.ENGLISH)
                self.assertEqual(len(problems), 1, problems)
                self.assertIn(word, problems[0])


class HintsAreTheWindowsTexts(unittest.TestCase):
    TEXTS = ('<TS><context><message><source>Evaluate resultant</source><translation>Ergebnis '
             'berechnen</translation></message><message><source>Unable to write to %1</source>'
             '<translation>Schreiben in %1 nicht möglich</translation></message></context></TS>')

    def test_quotes_are_checked_in_the_pages_language(self):
        cases = {  # page -> the one window text it quotes wrongly, or None
            '<html lang="de"><span class="hint">Ergebnis\n berechnen</span></html>': None,
            '<html lang="de"><span class="hint">Evaluate resultant</span></html>': "Evaluate",
            '<html><td class="hint">Evaluate resultant</td><i>italics</i></html>': None,
            '<html lang="de"><section id="messages"><table><tr><td>Schreiben in '
            './Data/data.ini nicht möglich.</td><td>Erklärung</td></tr></table></section>': None,
            '<html lang="de"><section id="messages"><table><tr><td>Schreiben nicht möglich.</td>'
            '<td>Erklärung</td></tr></table></section>': "Schreiben nicht",
        }
        for text, wrong in cases.items():
            with self.subTest(text):
                problems = window_text_problems(text, self.TEXTS)
                self.assertEqual(len(problems), 0 if wrong is None else 1, problems)
                if wrong:
                    self.assertIn(wrong, problems[0])


if __name__ == "__main__":
    unittest.main()
