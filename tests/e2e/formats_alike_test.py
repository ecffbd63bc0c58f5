"""Random item sources with hostile values (hostile_source), fixed seeds, exported as .xls and as
.xlsx, read back alike through independent readers, field by field:

- xlrd (.xls) against openpyxl (.xlsx): every value, look, merge, name, link, row height, column
  width and the page setup, as the example tests compare them;
- Gnumeric reading each of the two workbooks: values, fonts, links, names, merges, paper;
- Apache POI (.xls) against openpyxl (.xlsx): values, fonts, links, names.

Both exports also log the same lines.
"""

import re
import unittest
from concurrent.futures import ThreadPoolExecutor

import hostile_source
import link_targets
from examples_snapshot_test import differences
from kvo_e2e import Export
from other_readers import gnumeric_read, poi_read
from other_readers_test import WHOLE_ROWS, font_of_look
from sheet_snapshot import MASKED
from sheet_snapshot import snapshot as xlsx_snapshot
from xls_alike import as_xlsx, escapes_decoded, xlsx_strings_decoded
from xls_snapshot import snapshot as xls_snapshot

SEEDS = range(48)
STAMP = re.compile(r"\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}")
# Whole rows and the last column, as each format ends its sheet.
XLSX_WHOLE_ROWS = re.compile(r"\$A\$(\d+):\$XFD\$(\d+)")


def gnumeric_comparable(record, from_xlsx):
    """Gnumeric's file keeps a carriage return raw, which its XML reading makes a line feed."""
    plain = link_targets.from_xlsx if from_xlsx else link_targets.from_xls
    decode = escapes_decoded if from_xlsx else (lambda text: text)
    record["values"] = {ref: decode(v).replace("\r\n", "\n").replace("\r", "\n")
                        for ref, v in record["values"].items() if ref not in MASKED}
    record["links"] = {ref: t if t.startswith("#") else plain(t, None)
                       for ref, t in record["links"].items()}
    rows = XLSX_WHOLE_ROWS if from_xlsx else WHOLE_ROWS
    record["names"] = {name: rows.sub(r"$\1:$\2", value) for name, value in record["names"].items()}
    return record


class FormatsReadBackAlike(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.exports = {}
        for seed in SEEDS:
            source, setup = hostile_source.source(seed)
            for extension in (".xls", ".xlsx"):
                x = Export(source, setup, extension)
                cls.addClassCleanup(x.close)
                cls.exports[seed, extension] = x

    def assertAlike(self, seed, diff):
        if diff:  # lines cut short: a value may be 30,000 characters long
            self.fail(f"seed {seed}: {len(diff)} differences:\n" +
                      "\n".join(line[:300] for line in diff[:20]))

    def export(self, seed, extension):
        x = self.exports[seed, extension]
        self.assertEqual(x.returncode, 0, f"seed {seed} {extension}: {x.stderr}")
        return x

    def test_both_exports_log_the_same_lines(self):
        for seed in SEEDS:
            with self.subTest(seed=seed):
                xls, xlsx = (self.export(seed, e) for e in (".xls", ".xlsx"))
                self.assertEqual([STAMP.sub("<date>", line) for line in xls.log_lines()],
                                 [STAMP.sub("<date>", line) for line in xlsx.log_lines()])

    def test_xlrd_and_openpyxl_read_the_same_sheet(self):
        for seed in SEEDS:
            with self.subTest(seed=seed):
                xls = xls_snapshot(self.export(seed, ".xls").path)
                path = self.export(seed, ".xlsx").path
                xlsx = xlsx_snapshot(path)
                as_xlsx(xls, xlsx, path, self, f"seed {seed}")
                self.assertAlike(seed, differences(xlsx, xls))

    def test_gnumeric_reads_the_same_sheet_from_both(self):
        paths = [(seed, e, self.export(seed, e).path) for seed in SEEDS for e in (".xls", ".xlsx")]
        with ThreadPoolExecutor(max_workers=2) as pool:
            read = dict(zip(((s, e) for s, e, _ in paths),
                            pool.map(lambda p: gnumeric_read(p[2]), paths)))
        for seed in SEEDS:
            with self.subTest(seed=seed):
                (xls_problems, xls), (xlsx_problems, xlsx) = read[seed, ".xls"], read[seed, ".xlsx"]
                self.assertEqual((xls_problems, xlsx_problems), ([], []))
                self.assertAlike(seed, differences(gnumeric_comparable(xlsx, True),
                                                   gnumeric_comparable(xls, False)))

    def test_poi_reads_in_the_xls_what_openpyxl_reads_in_the_xlsx(self):
        records = poi_read(self.export(seed, ".xls").path for seed in SEEDS)
        for seed in SEEDS:
            with self.subTest(seed=seed):
                poi = records[self.export(seed, ".xls").path]
                self.assertNotIn("error", poi)
                path = self.export(seed, ".xlsx").path
                xlsx = xlsx_snapshot(path)
                xlsx_strings_decoded(xlsx, path)
                values = {ref: cell["value"] for ref, cell in poi["cells"].items()
                          if cell["value"] is not None and ref not in MASKED}
                expected = {ref: ["float", float(v)] if kind in ("int", "float") else [kind, v]
                            for ref, (kind, v) in xlsx["values"].items()}
                self.assertEqual(values, expected)
                fonts = {ref: poi["cells"][ref]["font"] for ref in values}
                self.assertEqual(fonts, {ref: font_of_look(xlsx["looks"][ref]) for ref in values})
                links = {ref: "#" + link["address"] if link["type"] == "DOCUMENT"
                         else link_targets.from_xls(link["address"], None)
                         for ref, link in poi["links"].items()}
                self.assertEqual(links, {ref: link_targets.from_xlsx(link["target"],
                                                                     link["location"])
                                         for ref, link in xlsx["links"].items()})
                names = {key: WHOLE_ROWS.sub(r"$\1:$\2", formula)
                         for key, formula in poi["names"].items()
                         if not key.endswith(("Print_Titles", "Print_Area"))}
                self.assertEqual(names, xlsx["names"])


if __name__ == "__main__":
    unittest.main()
