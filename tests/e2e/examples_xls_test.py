"""Every bundled example exported as .xls reads back (with xlrd) as the recorded sheet.

The expectations are the records of tests/e2e/expected, which the .xlsx exports are checked
against too. Only what differs by nature between the two files, or between their readers, is
normalised, each in a function of its own below; everything else must match as recorded.
"""

import io
import json
import os
import shutil
import struct
import subprocess
import tempfile
import unittest
import urllib.parse

from xlrd import compdoc

from examples_snapshot_test import EXPECTED, differences
from sheet_snapshot import CASES, CLI, EXAMPLES, run_export
from xls_snapshot import XLS_COLUMNS, column_letters, numbers_as_read_from_xlsx, snapshot


def automatic_font_colour_as_theme_text(record):
    """The .xls font colour "automatic" is the colour openpyxl reports as theme colour 1."""
    for ref, text in record["looks"].items():
        record["looks"][ref] = text.replace("fc=auto", "fc=t1")


def merged_cells_as_placeholders(record):
    """openpyxl reads the cells a merged area hides as placeholders that keep only their top and
    bottom lines; the .xls cells keep their whole look, of which the lines are compared."""
    hidden = set()
    for area in record["merges"]:
        first, last = area.split(":")
        top_left = _split(first)
        bottom_right = _split(last)
        for row in range(top_left[1], bottom_right[1] + 1):
            for col in range(top_left[0], bottom_right[0] + 1):
                if (col, row) != top_left:
                    hidden.add(f"{column_letters(col)}{row}")
    for ref in hidden & set(record["looks"]):
        parts = record["looks"][ref].split()
        lines = [p for p in parts if p.startswith(("top=", "bot="))]
        record["looks"][ref] = " ".join(["sz=11", "fc=t1"] + lines + ["nf=General"])


def file_link_targets_decoded(expected):
    """The .xlsx file stores a file link's target as a URI (blanks, "#" and "%" escaped,
    "file:///" before drive and network paths); the .xls file stores the plain path."""
    for link in expected["links"].values():
        if link["target"]:
            link["target"] = urllib.parse.unquote(link["target"].removeprefix("file:///"))


def file_link_shown_text_checked(record, test, name):
    """The .xls link of a file carries the text its cell shows, which the .xlsx link does not:
    it must equal the cell's value, and is then left out."""
    for ref, link in record["links"].items():
        if link["target"] is not None:
            test.assertEqual(link["display"], record["values"][ref][1], f"{name} {ref}")
            link["display"] = None


def last_column_of_the_sheet(record):
    """An .xlsx sheet ends at column 16,384, an .xls sheet at column 256: a column run that
    reaches the last column reaches it in either file."""
    widths = {}
    for span, width in record["column_widths"].items():
        first, last = span.split("-")
        widths[f"{first}-{16384 if int(last) == XLS_COLUMNS else last}"] = width
    record["column_widths"] = widths


def _split(ref):
    letters = "".join(c for c in ref if c.isalpha())
    col = 0
    for c in letters:
        col = col * 26 + ord(c) - 64
    return col, int(ref[len(letters):])


class ExamplesAsXlsMatchRecordedSheets(unittest.TestCase):
    def test_every_example(self):
        for name, source, setup in CASES:
            with self.subTest(example=name):
                with open(os.path.join(EXPECTED, name + ".json"), encoding="utf-8") as f:
                    expected = json.load(f)
                folder, path = run_export(source, setup, ".xls")
                try:
                    self.assertTrue(path.endswith(".xls"), path)
                    actual = snapshot(path)
                finally:
                    shutil.rmtree(folder, ignore_errors=True)
                numbers_as_read_from_xlsx(actual)
                automatic_font_colour_as_theme_text(actual)
                merged_cells_as_placeholders(actual)
                file_link_targets_decoded(expected)
                file_link_shown_text_checked(actual, self, name)
                last_column_of_the_sheet(actual)
                diff = differences(expected, json.loads(json.dumps(actual)))
                self.assertEqual(diff, [], f"{name}: {len(diff)} differences:\n" +
                                 "\n".join(diff[:40]))

    def test_file_type_is_a_compound_document_workbook(self):
        name, source, setup = CASES[0]
        folder, path = run_export(source, setup, ".xls")
        try:
            kind = subprocess.run(["file", "-b", path], capture_output=True, text=True,
                                  check=True).stdout
        finally:
            shutil.rmtree(folder, ignore_errors=True)
        self.assertTrue("CDFV2" in kind or "Composite Document" in kind, kind)
        self.assertIn("Excel", kind)
        self.assertNotIn("2007+", kind)

    def test_empty_or_missing_extension_writes_a_biff8_workbook(self):
        name, source, setup = CASES[0]
        for extension in ("", None):
            with self.subTest(extension=extension):
                folder = tempfile.mkdtemp(prefix="kvo-default-")
                self.addCleanup(shutil.rmtree, folder, ignore_errors=True)
                shutil.copy(os.path.join(EXAMPLES, source), folder)
                args = [CLI, os.path.join(folder, source), os.path.join(EXAMPLES, "config.xml"),
                        "@" + os.path.join(EXAMPLES, "setup", setup)]
                run = subprocess.run(args + ([extension] if extension is not None else []),
                                     env=dict(os.environ, APPDATA=folder, LC_ALL="C"),
                                     capture_output=True, text=True, timeout=120)
                self.assertEqual(run.returncode, 0, run.stderr)
                path = run.stdout.strip()
                self.assertEqual(path, os.path.join(folder, source[:-len(".xml")] + ".xls"))
                with open(path, "rb") as f:
                    stream = compdoc.CompDoc(f.read(), logfile=io.StringIO()).get_named_stream(
                        "Workbook")
                # The stream starts with a BIFF8 workbook BOF: type 0x0809, version 0x0600.
                self.assertEqual(struct.unpack_from("<HHHH", stream), (0x0809, 16, 0x0600, 5))


if __name__ == "__main__":
    unittest.main()
