"""The characters a cell holds, counted as spreadsheet programs count them: 32,767 UTF-16 units,
a character beyond U+FFFF counting two. Texts at the limit stay whole, longer ones are cut
without splitting such a character, in both formats alike, and the one "cut" line counts
exactly the cells that were cut."""

import re
import unittest

import xlrd

from kvo_e2e import Export, setup_xml

LIMIT = 32767
EMOJI = "\U0001F600"
# Description -> the text its cells must hold.
TEXTS = {
    "a" * LIMIT: "a" * LIMIT,
    "b" * (LIMIT + 1): "b" * LIMIT,
    "c" * (LIMIT - 1) + EMOJI: "c" * (LIMIT - 1),
    EMOJI * (LIMIT // 2) + "d": EMOJI * (LIMIT // 2) + "d",
    EMOJI * 17000: EMOJI * (LIMIT // 2),
    "\u00e9" * LIMIT + "\u00e9": "\u00e9" * LIMIT,
}
CUT = sum(1 for text, kept in TEXTS.items() if text != kept)


def units(text):
    return len(text.encode("utf-16-le")) // 2


def source():
    items = "".join(f'<Item number="T{i}" revision="A" description="{text}"/>'
                    for i, text in enumerate(TEXTS))
    return f"<Root_Element>{items}</Root_Element>"


class CellLimit(unittest.TestCase):
    def values(self, x):
        if x.ws is not None:
            return [c.value for row in x.ws.iter_rows() for c in row if isinstance(c.value, str)]
        sheet = xlrd.open_workbook(x.path).sheet_by_index(0)
        return [sheet.cell_value(r, c) for r in range(sheet.nrows) for c in range(sheet.ncols)
                if isinstance(sheet.cell_value(r, c), str)]

    def test_both_formats_cut_alike_and_count_every_cut_cell(self):
        for extension in (".xlsx", ".xls"):
            with self.subTest(format=extension):
                x = Export(source(), setup_xml("COLLECTION", "Item"), extension)
                self.addCleanup(x.close)
                self.assertEqual(x.returncode, 0, x.stderr)
                values = self.values(x)
                self.assertLessEqual(max(units(v) for v in values), LIMIT)
                # Each description stands in the main panel and in its block.
                for kept in TEXTS.values():
                    self.assertEqual(values.count(kept), 2, f"{kept[:3]}... ({units(kept)} units)")
                lines = [line for line in x.log_lines() if "cut" in line]
                self.assertEqual(len(lines), 1, x.log_lines())
                self.assertRegex(lines[0], rf"^{2 * CUT} cell texts were cut to the 32,767 "
                                           r"characters a cell holds \d{4}-")


if __name__ == "__main__":
    unittest.main()
