"""Reads compound documents written by the container test with two independent readers.

Usage: container_check.py FILE:SIZE:MIN_DIFAT_SECTORS ...
Each file must hold one stream "Workbook" whose first SIZE bytes are the test pattern and whose
rest (up to 4,096 bytes) is zero, with at least MIN_DIFAT_SECTORS extra table-of-tables sectors.
Prints one line per failed check and exits with status 1 if any failed.
"""

import io
import sys

import olefile
from xlrd import compdoc


def pattern(size):
    """Byte i is (7 i + i // 511) mod 256: no period of a sector's length."""
    return bytes((7 * i + i // 511) & 0xFF for i in range(size))


def main():
    failures = []
    for arg in sys.argv[1:]:
        path, size, min_difat = arg.rsplit(":", 2)
        expected = pattern(int(size)).ljust(4096, b"\0")
        ole = olefile.OleFileIO(path, raise_defects=olefile.DEFECT_INCORRECT)
        if ole.listdir() != [["Workbook"]]:
            failures.append(f"{path}: streams {ole.listdir()}")
        if ole.openstream("Workbook").read() != expected:
            failures.append(f"{path}: olefile reads other bytes")
        if ole.num_difat_sectors < int(min_difat):
            failures.append(f"{path}: {ole.num_difat_sectors} extra table-of-tables sectors")
        ole.close()
        with open(path, "rb") as f:
            log = io.StringIO()
            stream = compdoc.CompDoc(f.read(), logfile=log).get_named_stream("Workbook")
        if stream != expected or log.getvalue():
            failures.append(f"{path}: xlrd reads other bytes {log.getvalue()}")
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
