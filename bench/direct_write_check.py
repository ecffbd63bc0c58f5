#!/usr/bin/env python3
"""Checks that the bench's direct library write is the same sheet as the export's own file.

Usage: direct_write_check.py KVO_BENCH KVO_GEN_EXPORT

Generates a small item export, runs one timing pass (which writes items.xlsx through the
component and direct.xlsx straight through the library) and compares the two workbooks: every
cell with its style and value (shared strings resolved, as their order differs), the sheet's
other parts but its used range, the sheet's relationships, the workbook and the styles, with
attribute order and whitespace ignored."""
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zipfile

NS = "{http://schemas.openxmlformats.org/spreadsheetml/2006/main}"


def canonical(xml):
    return ET.canonicalize(xml, strip_text=True)


def sheet(path):
    with zipfile.ZipFile(path) as z:
        strings = [
            "".join(t.text or "" for t in si.iter(NS + "t"))
            for si in ET.fromstring(z.read("xl/sharedStrings.xml")).findall(NS + "si")
        ]
        root = ET.fromstring(z.read("xl/worksheets/sheet1.xml"))
        cells = []
        for row in root.find(NS + "sheetData"):
            cells.append(("row", sorted(row.attrib.items())))
            for c in row:
                v = c.find(NS + "v")
                value = None if v is None else strings[int(v.text)] if c.get("t") == "s" else v.text
                cells.append((c.get("r"), c.get("s"), c.get("t"), value))
        # The used range is the one known difference: the library declares every formatted
        # column as used. Attribute order and whitespace do not count.
        rest = [canonical(ET.tostring(e)) for e in root
                if e.tag not in (NS + "sheetData", NS + "dimension")]
        parts = [canonical(z.read(p)) for p in ("xl/worksheets/_rels/sheet1.xml.rels",
                                                "xl/workbook.xml", "xl/styles.xml")]
        return cells, rest, parts


def main():
    bench, gen = sys.argv[1:3]
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "items.xml")
        subprocess.run([gen, "60", source], check=True, stdout=subprocess.DEVNULL)
        env = dict(os.environ, APPDATA=work)
        subprocess.run([bench, "phases", source, "1"], check=True, env=env,
                       stdout=subprocess.DEVNULL)
        ours = sheet(os.path.join(work, "items.xlsx"))
        direct = sheet(os.path.join(work, "direct.xlsx"))
    names = ["cells", "sheet parts", "relationships, workbook and styles"]
    failed = [name for name, a, b in zip(names, ours, direct) if a != b]
    if not ours[0] or failed:
        print("direct write differs from the export in: " + ", ".join(failed or ["(empty)"]))
        return 1
    print(f"direct write check: {len(ours[0])} rows and cells the same")
    return 0


if __name__ == "__main__":
    sys.exit(main())
