"""Checks the row heights of the workbook the row-height tests write, .xls or .xlsx: rows
hidden by default, a row shown at 20 points, one hidden on its own and one of a tiny height.

xlrd (.xls) or openpyxl (.xlsx) reads the sheet's defaults and each row; where Gnumeric is
installed, ssconvert must read the workbook without a warning or critical line (it refuses a
height of 0).
"""
import shutil
import subprocess
import sys
import tempfile

import openpyxl
import xlrd


def main():
    path = sys.argv[1]
    faults = []

    def expect(what, got, want):
        if got != want:
            faults.append(f"{what}: {got!r}, expected {want!r}")

    if path.lower().endswith(".xlsx"):
        sheet = openpyxl.load_workbook(path).worksheets[0]
        expect("rows hidden by default", sheet.sheet_format.zeroHeight, True)
        expect("default height when shown", sheet.sheet_format.defaultRowHeight, 15)
        shown, hidden, tiny = (sheet.row_dimensions[r] for r in (2, 4, 5))
        expect("row 2 height", (shown.ht, shown.hidden), (20, False))
        expect("row 4 hidden, height when shown", (hidden.hidden, hidden.ht), (True, 15))
        expect("row 5 shown and above 0", (tiny.hidden, tiny.ht > 0), (False, True))
    else:
        sheet = xlrd.open_workbook(path, formatting_info=True).sheet_by_index(0)
        expect("rows hidden by default", sheet.default_row_hidden, 1)
        expect("default height when shown (twips)", sheet.default_row_height, 300)
        shown, hidden, tiny = (sheet.rowinfo_map[r] for r in (1, 3, 4))
        expect("row 2 height", (shown.height, shown.hidden), (400, 0))
        expect("row 4 hidden, height when shown", (hidden.hidden, hidden.height), (1, 300))
        expect("row 5 shown and above 0", (tiny.hidden, tiny.height > 0), (0, True))

    if shutil.which("ssconvert"):
        with tempfile.TemporaryDirectory() as work:
            run = subprocess.run(
                ["ssconvert", "--export-type=Gnumeric_stf:stf_csv", path, f"{work}/out.csv"],
                capture_output=True, text=True)
            noise = [l for l in run.stderr.splitlines()
                     if "WARNING" in l or "CRITICAL" in l or "ERROR" in l]
            if run.returncode != 0 or noise:
                faults.append(f"ssconvert: exit {run.returncode}, {noise}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
