"""Runs whole exports through the command-line host and reads the workbooks back with openpyxl.

Every export runs in a temporary folder of its own, with a per-user profile folder there, so
its log lands in that folder's export directory.
"""

import os
import re
import shutil
import subprocess
import tempfile
import unittest

import openpyxl

SOURCE_DIR = os.environ.get("KVO_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
CLI = os.environ.get("KVO_CLI", os.path.join(SOURCE_DIR, "build", "kvo-export-excel"))
CONFIG = os.path.join(SOURCE_DIR, "examples", "config.xml")
STAMP = re.compile(r"^\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}$")


def setup_xml(space, object_type, **captions):
    fields = "".join(f"<{k}>{v}</{k}>" for k, v in captions.items())
    return (f"<ExportSetup><SPACE_TYPE>{space}</SPACE_TYPE>"
            f"<OBJECT_TYPE>{object_type}</OBJECT_TYPE>{fields}</ExportSetup>")


class Export:
    """One export of a source text (or bytes; None puts a folder in its place); an .xlsx
    workbook is opened with openpyxl when the export succeeded."""

    def __init__(self, source_xml, setup, extension=".xlsx", config=CONFIG, name="export.xml"):
        self.dir = tempfile.mkdtemp(prefix="kvo-e2e-")
        self.export_dir = os.path.join(self.dir, "ORVELD", "Addin Modules", "Stackwright", "Export")
        os.makedirs(self.export_dir)
        self.source = os.path.join(self.dir, name)
        if source_xml is None:  # a folder where the source should be
            os.makedirs(self.source)
        elif isinstance(source_xml, bytes):
            with open(self.source, "wb") as f:
                f.write(source_xml)
        else:
            with open(self.source, "w", encoding="utf-8") as f:
                f.write(source_xml)
        env = dict(os.environ, APPDATA=self.dir, LC_ALL="C")
        run = subprocess.run([CLI, self.source, config, setup, extension], env=env,
                             capture_output=True, text=True, timeout=120)
        self.returncode = run.returncode
        self.stdout = run.stdout
        self.stderr = run.stderr
        self.path = run.stdout.strip() if run.returncode == 0 else None
        # openpyxl opens .xlsx workbooks; an .xls workbook is read by the test itself.
        xlsx = self.path is not None and not self.path.lower().endswith(".xls")
        self.wb = openpyxl.load_workbook(self.path) if xlsx else None
        self.ws = self.wb["Sheet1"] if self.wb else None

    def log_lines(self):
        path = os.path.join(self.export_dir, "ExportExcel.log")
        if not os.path.exists(path):
            return []
        with open(path, encoding="utf-8", newline="") as f:
            return [line for line in f.read().split("\r\n") if line]

    def close(self):
        shutil.rmtree(self.dir, ignore_errors=True)

    # ---- reading the sheet ----

    def value(self, ref):
        return self.ws[ref].value

    def row(self, row, last_col=6):
        return [self.ws.cell(row=row, column=c).value for c in range(1, last_col + 1)]

    def merged(self):
        return sorted(str(r) for r in self.ws.merged_cells.ranges)

    def names(self):
        """Sheet-local defined names and the rows they refer to."""
        out = {}
        for dn in self.wb.defined_names.definedName:
            if dn.localSheetId is None or dn.name.startswith("_xlnm"):
                continue
            m = re.fullmatch(r"(?:'?Sheet1'?!)?\$(\d+):\$(\d+)", dn.attr_text)
            out[dn.name] = int(m.group(1)) if m else dn.attr_text
        return out

    def link(self, ref):
        return self.ws[ref].hyperlink


class ExportTestCase(unittest.TestCase):
    """Assertions that name the cell they are about."""

    @classmethod
    def export(cls, source_xml, setup):
        """Runs the class's export once; its folder is removed after the class's tests."""
        cls.x = Export(source_xml, setup)
        cls.addClassCleanup(cls.x.close)
        if cls.x.returncode != 0:
            raise AssertionError(f"export failed: {cls.x.stderr}")

    def assertRow(self, export, row, expected):
        """expected: values of columns A.. in order; None for empty cells."""
        actual = export.row(row, len(expected))
        actual = [None if v == "" else v for v in actual]
        self.assertEqual(actual, list(expected), f"row {row}")

    def assertLabels(self, export, row, cols, style="Bold"):
        for col in cols:
            cell = export.ws[f"{col}{row}"]
            self.assertTrue(cell.font.b, f"{col}{row} bold")
            self.assertEqual(bool(cell.font.i), style == "Bold Italic", f"{col}{row} italic")

    def assertSubCaption(self, export, row, text):
        """A merged bar over A:F with lines above and below and a bold italic caption."""
        self.assertIn(f"A{row}:F{row}", export.merged(), f"row {row} merged")
        cell = export.ws[f"A{row}"]
        self.assertEqual(cell.value, text, f"A{row}")
        self.assertTrue(cell.font.b and cell.font.i, f"A{row} bold italic")
        self.assertEqual(cell.border.top.style, "thin", f"A{row} top line")
        self.assertEqual(cell.border.bottom.style, "thin", f"A{row} bottom line")

    def assertHead(self, export, row, labels, values, fill=None, borders=False):
        """An object head row: three label/value pairs in A:F."""
        self.assertRow(export, row, [labels[0], values[0], labels[1], values[1], labels[2],
                                     values[2]])
        self.assertLabels(export, row, "ACE")
        for col in "ABCDEF":
            cell = export.ws[f"{col}{row}"]
            color = cell.fill.fgColor.rgb if cell.fill.fill_type == "solid" else None
            self.assertEqual(color, fill, f"{col}{row} fill")
            self.assertEqual(cell.border.top.style, "thin" if borders else None, f"{col}{row} top")
            self.assertEqual(cell.border.bottom.style, "thin" if borders else None,
                             f"{col}{row} bottom")

    def assertEmptyRow(self, export, row):
        self.assertEqual(export.row(row, 10), [None] * 10, f"row {row} empty")

    def assertInternalLink(self, export, ref, names, block_row):
        link = export.link(ref)
        self.assertIsNotNone(link, f"{ref} link")
        self.assertIn(link.location, names, f"{ref} link target")
        self.assertEqual(names[link.location], block_row, f"{ref} links to row")

    def assertFileLink(self, export, ref, file_name):
        self.assertEqual(export.value(ref), file_name, f"{ref} shown text")
        link = export.link(ref)
        self.assertIsNotNone(link, f"{ref} link")
        self.assertTrue(link.target, f"{ref} link target")
