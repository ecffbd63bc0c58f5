"""Tells whether the cell values of exported workbooks are those recorded in tests/e2e/expected.

    python3 expected_values.py CASE WORKBOOK [CASE WORKBOOK ...]

Prints one line per workbook: "CASE ok", or "CASE differs:" and the first differing cells. A
workbook ending in .xls is read with xlrd, any other with openpyxl; the export-date cell is
masked, as in the records.
"""

import json
import os
import sys

import sheet_snapshot
import xls_snapshot

EXPECTED = os.path.join(sheet_snapshot.SOURCE_DIR, "tests", "e2e", "expected")


def values(path):
    if not path.lower().endswith(".xls"):
        return sheet_snapshot.snapshot(path)["values"]
    record = xls_snapshot.snapshot(path)
    xls_snapshot.numbers_as_read_from_xlsx(record)
    return record["values"]


def main(argv):
    for case, path in zip(argv[1::2], argv[2::2]):
        with open(os.path.join(EXPECTED, case + ".json"), encoding="utf-8") as f:
            expected = json.load(f)["values"]
        found = values(path)
        wrong = sorted(ref for ref in set(expected) | set(found) if expected.get(ref) != found.get(ref))
        if wrong:
            shown = ", ".join(f"{ref} {expected.get(ref)} != {found.get(ref)}" for ref in wrong[:5])
            print(f"{case} differs: {shown}")
        else:
            print(f"{case} ok")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
