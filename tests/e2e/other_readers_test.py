"""Every bundled example reads back clean and alike in Gnumeric and in Apache POI.

Gnumeric converts the .xls and the .xlsx workbook of each example without a warning, and holds
every link target that openpyxl reads from the .xlsx. POI reads every cell of the .xls with its
font, every link with its address and every defined name with its formula, as recorded in
tests/e2e/expected (which openpyxl read from the .xlsx).
"""

import json
import os
import re
import shutil
import unittest

import link_targets
from examples_snapshot_test import EXPECTED
from other_readers import gnumeric_read, poi_read
from sheet_snapshot import CASES, MASKED, run_export, snapshot

FONT_PARTS = ("b", "i", "u=", "sz=", "fc=")
WHOLE_ROWS = re.compile(r"\$A\$(\d+):\$IV\$(\d+)")


def font_of_look(look):
    """The font parts of a recorded look, with openpyxl's theme text colour as "auto"."""
    parts = [p for p in look.split() if p == "b" or p == "i" or p.startswith(FONT_PARTS[2:])]
    return " ".join("fc=auto" if p == "fc=t1" else p for p in parts)


def plain_gnumeric_target(target, from_xlsx):
    if target.startswith("#"):
        return target
    return (link_targets.from_xlsx if from_xlsx else link_targets.from_xls)(target, None)


class ExamplesInOtherReaders(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.exports = {}
        for name, source, setup in CASES:
            for extension in (".xls", ".xlsx"):
                folder, path = run_export(source, setup, extension)
                cls.addClassCleanup(shutil.rmtree, folder, ignore_errors=True)
                cls.exports[name, extension] = path

    def xlsx_links(self, name):
        """Reference -> plain target of every link openpyxl reads from the .xlsx."""
        record = snapshot(self.exports[name, ".xlsx"])
        return {ref: link_targets.from_xlsx(link["target"], link["location"])
                for ref, link in record["links"].items()}

    def test_gnumeric_reads_both_formats_without_a_warning_and_with_every_link(self):
        for name, _, _ in CASES:
            expected = self.xlsx_links(name)
            for extension in (".xls", ".xlsx"):
                with self.subTest(example=name, format=extension):
                    problems, record = gnumeric_read(self.exports[name, extension])
                    self.assertEqual(problems, [])
                    found = {ref: plain_gnumeric_target(t, extension == ".xlsx")
                             for ref, t in record["links"].items()}
                    self.assertEqual(found, expected)

    def test_poi_reads_every_cell_font_link_and_name_of_the_xls(self):
        paths = {name: self.exports[name, ".xls"] for name, _, _ in CASES}
        records = poi_read(paths.values())
        for name, path in paths.items():
            with self.subTest(example=name):
                with open(os.path.join(EXPECTED, name + ".json"), encoding="utf-8") as f:
                    expected = json.load(f)
                poi = records[path]
                self.assertNotIn("error", poi)
                self.check_cells(expected, poi)
                links = {ref: link_targets.from_xls(link["address"], None)
                         if link["type"] != "DOCUMENT" else "#" + link["address"]
                         for ref, link in poi["links"].items()}
                self.assertEqual(links, self.xlsx_links(name))
                self.check_names(expected, poi)

    def check_cells(self, expected, poi):
        values = {ref: cell["value"] for ref, cell in poi["cells"].items()
                  if cell["value"] is not None and ref not in MASKED}
        self.assertEqual(sorted(values), sorted(expected["values"]))
        for ref, (kind, value) in expected["values"].items():
            if kind == "str":
                self.assertEqual(values[ref], ["str", value], ref)
            else:
                self.assertEqual(values[ref][0], "float", ref)
                self.assertEqual(values[ref][1], value, ref)
            self.assertEqual(poi["cells"][ref]["font"], font_of_look(expected["looks"][ref]), ref)

    def check_names(self, expected, poi):
        names = {key: WHOLE_ROWS.sub(r"$\1:$\2", formula) for key, formula in poi["names"].items()}
        page = expected["page"]
        self.assertEqual(names.pop("0:Print_Titles", None),
                         "Sheet1!" + page["print_title_rows"] if page["print_title_rows"] else None)
        self.assertEqual(names.pop("0:Print_Area", None),
                         "Sheet1!" + page["print_area"][0] if page["print_area"] else None)
        self.assertEqual(names, expected["names"])


if __name__ == "__main__":
    unittest.main()
