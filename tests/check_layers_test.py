#!/usr/bin/env python3
"""Tests of scripts/check_layers.py: the tree as it stands passes, and each kind of include that
runs against the layers, planted into a temporary copy of the table and of the folder it belongs
in, fails the check with the file, the line and the rule."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CHECK = os.path.join(ROOT, "scripts", "check_layers.py")


def run_check(root):
    return subprocess.run([sys.executable, CHECK, "--root", root], capture_output=True, text=True,
                          check=False)


class PlantedIncludes(unittest.TestCase):
    # (file to plant into, the line planted, what the report must name); the file's folder is
    # copied from the tree when it exists there, so the planted line is its last.
    FAULTS = [
        ("calc/work_area.cpp", '#include "ui/main_form.h"', "calc/ may include only"),
        ("catalogue/unit_catalogue.h", '#include "calc/power_vector.h"',
         "catalogue/ may include only"),
        ("cli/commands.cpp", '#include "window/list_search.h"', "cli/ may include only"),
        ("dialogs/unit_save.cpp", '#include "window/error_text.h"', "dialogs/ may include only"),
        ("tests/calc/work_area_test.cpp", '#include "ui/main_form.h"',
         "tests/calc/ may include only"),
        ("tests/catalogue/ini_text_test.cpp", '#include "tests/ui/main_form_fixture.h"',
         "tests/catalogue/ may include only"),
        ("window/list_search.cpp", '#include "../ui/main_form.h"', "climbs out of its folder"),
        ("plugins/extra.cpp", '#include "calc/power_vector.h"', "has no row in"),
    ]
    ALLOWED = [
        ("ui/extra.cpp", '#include "window/list_search.h"'),
        ("app/extra.cpp", '#include "cli/commands.h"'),
        ("tests/calc/extra.cpp", '#include "tests/support/test_seed.h"'),
        ("tests/calc/extra.cpp", '#include "tests/calc/work_area_fixture.h"'),
        ("bench/extra.cpp", '#include "tests/support/temp_folder.h"'),
        ("calc/extra.cpp", '#include "gtest/gtest.h"'),
        ("calc/extra.cpp", '#include "beside.h"'),
    ]

    def planted(self, path, line):
        """A temporary root holding the table and `path`'s folder with `line` added to it."""
        root = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, root)
        shutil.copytree(os.path.join(ROOT, "cmake"), os.path.join(root, "cmake"))
        folder = os.path.dirname(path)
        if os.path.isdir(os.path.join(ROOT, folder)):
            shutil.copytree(os.path.join(ROOT, folder), os.path.join(root, folder))
        os.makedirs(os.path.join(root, folder), exist_ok=True)
        with open(os.path.join(root, path), "a", encoding="utf-8") as out:
            out.write(line + "\n")
        return root

    def test_the_tree_passes(self):
        result = run_check(ROOT)
        self.assertEqual(result.returncode, 0, result.stderr)

    def test_each_planted_fault_fails_naming_file_line_and_rule(self):
        for path, line, rule in self.FAULTS:
            with self.subTest(path=path, line=line):
                root = self.planted(path, line)
                with open(os.path.join(root, path), encoding="utf-8") as text:
                    number = sum(1 for _ in text)
                result = run_check(root)
                self.assertEqual(result.returncode, 1, result.stdout)
                self.assertIn(f"{path}:{1 if 'no row' in rule else number}:", result.stderr)
                self.assertIn(rule, result.stderr)

    def test_includes_within_the_layers_pass(self):
        for path, line in self.ALLOWED:
            with self.subTest(path=path, line=line):
                result = run_check(self.planted(path, line))
                self.assertEqual(result.returncode, 0, result.stderr)


if __name__ == "__main__":
    unittest.main()
