"""Compares a workbook the engine wrote with the one libxlsxwriter wrote from the same resolved
sheet, part by part, with attributes put in one order and whitespace between elements dropped.

Usage: oracle_compare.py OURS ORACLE DIMENSION

Both files must hold the same parts. These differences are allowed, each checked for what it is:
  dimension   <dimension ref> of the worksheet: the engine's is DIMENSION, the range of the cells
              it wrote; the library's also covers columns that only carry a format.
  timestamps  dcterms:created and dcterms:modified of docProps/core.xml: the time of writing, a
              W3CDTF stamp in both files.
The theme and docProps/app.xml only need to be well-formed. Prints each difference and exits
with status 1 if there is any.
"""

import difflib
import re
import sys
import zipfile
import xml.etree.ElementTree as ET

MAIN = "{http://schemas.openxmlformats.org/spreadsheetml/2006/main}"
DCTERMS = "{http://purl.org/dc/terms/}"
WELL_FORMED_ONLY = {"xl/theme/theme1.xml", "docProps/app.xml"}
STAMP = re.compile(r"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ")

problems = []


def canonical(element, depth=0, lines=None):
    """One line per element: tag, attributes sorted by name, text. Whitespace-only text between
    child elements is dropped; the text of leaf elements is kept exactly."""
    lines = [] if lines is None else lines
    attributes = "".join(f" {name}={value!r}" for name, value in sorted(element.attrib.items()))
    text = element.text or ""
    if len(element) and not text.strip():
        text = ""
    tag = element.tag.replace(MAIN, "")
    lines.append(f"{'  ' * depth}<{tag}{attributes}>" + (repr(text) if text else ""))
    for child in element:
        canonical(child, depth + 1, lines)
        if child.tail and child.tail.strip():
            lines.append(f"{'  ' * (depth + 1)}tail {child.tail!r}")
    return lines


def allow_dimension(ours, oracle, expected):
    found = []
    for root in (ours, oracle):
        dimension = root.find(MAIN + "dimension")
        found.append(dimension.get("ref") if dimension is not None else None)
        if dimension is not None:
            root.remove(dimension)
    if found[0] != expected:
        problems.append(f"dimension: expected {expected}, the engine wrote {found[0]}")
    if found[1] is None:
        problems.append("dimension: the library wrote none")


def allow_timestamps(ours, oracle):
    for who, root in (("engine", ours), ("library", oracle)):
        for tag in ("created", "modified"):
            stamp = root.find(DCTERMS + tag)
            if stamp is None or not STAMP.fullmatch(stamp.text or ""):
                problems.append(f"timestamps: {tag} of the {who} is not a W3CDTF stamp")
            else:
                stamp.text = "STAMP"


def main():
    ours_path, oracle_path, dimension = sys.argv[1:4]
    with zipfile.ZipFile(ours_path) as ours_zip, zipfile.ZipFile(oracle_path) as oracle_zip:
        if ours_zip.testzip() is not None:
            problems.append(f"the engine's container has a damaged entry: {ours_zip.testzip()}")
        ours_names, oracle_names = set(ours_zip.namelist()), set(oracle_zip.namelist())
        if ours_names != oracle_names:
            problems.append(f"parts only the engine wrote: {sorted(ours_names - oracle_names)}; "
                            f"only the library: {sorted(oracle_names - ours_names)}")
        for name in sorted(ours_names & oracle_names):
            ours = ET.fromstring(ours_zip.read(name))
            oracle = ET.fromstring(oracle_zip.read(name))
            if name in WELL_FORMED_ONLY:
                continue
            if name == "xl/worksheets/sheet1.xml":
                allow_dimension(ours, oracle, dimension)
            if name == "docProps/core.xml":
                allow_timestamps(ours, oracle)
            a, b = canonical(oracle), canonical(ours)
            if a != b:
                diff = list(difflib.unified_diff(a, b, "library", "engine", lineterm="", n=1))
                problems.append(f"{name}:\n" + "\n".join(diff[:60]))
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
