"""Exports every bundled example and reads the whole sheet back into one comparable record.

A record holds what a reader sees: every value with its type, the look of every cell (its own
format where the file has a cell record, else the row's, else the column's), merges, defined
names, links, row heights, column widths and the page setup. The export-date cell is masked.

    python3 sheet_snapshot.py --write DIR   writes one JSON file per example into DIR
"""

import json
import os
import shutil
import subprocess
import sys
import tempfile

import openpyxl

SOURCE_DIR = os.environ.get("KVO_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
CLI = os.environ.get("KVO_CLI", os.path.join(SOURCE_DIR, "build", "kvo-export-excel"))
EXAMPLES = os.path.join(SOURCE_DIR, "examples")

# (name, source, setup) of every bundled example: every kind and mode.
CASES = [
    ("items-structure", "items-structure.xml", "items-structure.xml"),
    ("items-structure-named", "items-structure.xml", "items-structure-named.xml"),
    ("items-collection", "items-collection.xml", "items-collection.xml"),
    ("documents-structure", "documents.xml", "documents-structure.xml"),
    ("documents-collection", "documents.xml", "documents-collection.xml"),
    ("folders-structure", "folders.xml", "folders-structure.xml"),
    ("folders-collection", "folders.xml", "folders-collection.xml"),
]

# The caption cell that the run fills with the current date and time.
MASKED = {"D2"}


def run_export(source, setup, extension=".xlsx"):
    """Exports one example in a folder of its own; returns (folder, workbook path, log lines)."""
    folder = tempfile.mkdtemp(prefix="kvo-snap-")
    export_dir = os.path.join(folder, "ORVELD", "Addin Modules", "Stackwright", "Export")
    os.makedirs(export_dir)
    shutil.copy(os.path.join(EXAMPLES, source), folder)
    env = dict(os.environ, APPDATA=folder, LC_ALL="C")
    run = subprocess.run([CLI, os.path.join(folder, source), os.path.join(EXAMPLES, "config.xml"),
                          "@" + os.path.join(EXAMPLES, "setup", setup), extension],
                         env=env, capture_output=True, text=True, timeout=120)
    if run.returncode != 0:
        shutil.rmtree(folder, ignore_errors=True)
        raise RuntimeError(f"export of {source} with {setup} failed: {run.stderr}")
    return folder, run.stdout.strip().splitlines()[0]


def color(c):
    if c is None:
        return None
    if c.type == "rgb":
        return c.rgb
    if c.type == "indexed":
        return f"i{c.indexed}"
    if c.type == "theme":
        return f"t{c.theme}"
    return None


def look(obj):
    """The look of a cell, row or column style as one short text."""
    f, a, b = obj.font, obj.alignment, obj.border
    fill = color(obj.fill.fgColor) if obj.fill.fill_type == "solid" else None
    parts = [
        "b" if f.b else "", "i" if f.i else "", f"u={f.u}" if f.u else "",
        f"sz={f.sz:g}" if f.sz else "", f"fc={color(f.color)}" if color(f.color) else "",
        f"fill={fill}" if fill else "",
        f"top={b.top.style}" if b.top.style else "", f"bot={b.bottom.style}" if b.bottom.style else "",
        f"h={a.horizontal}" if a.horizontal else "", f"v={a.vertical}" if a.vertical else "",
        "wrap" if a.wrap_text else "", f"nf={obj.number_format}",
    ]
    return " ".join(p for p in parts if p)


def snapshot(path):
    wb = openpyxl.load_workbook(path)
    ws = wb.worksheets[0]
    columns = sorted(((d.min, d.max, d) for d in ws.column_dimensions.values() if d.min),
                     key=lambda t: t[0])

    def column_dim(col):
        for lo, hi, dim in columns:
            if lo <= col <= hi:
                return dim
        return None

    last_row = ws.max_row + 1
    last_col = max(ws.max_column, 8) + 1
    cells, looks = {}, {}
    for row in range(1, last_row + 1):
        rdim = ws.row_dimensions.get(row)
        for col in range(1, last_col + 1):
            ref = f"{openpyxl.utils.get_column_letter(col)}{row}"
            if (row, col) in ws._cells:
                cell = ws._cells[(row, col)]
                if cell.value is not None and ref not in MASKED:
                    cells[ref] = [type(cell.value).__name__, cell.value]
                source = cell
            elif rdim is not None and rdim.customFormat:
                source = rdim
            else:
                source = column_dim(col)
            looks[ref] = look(source) if source is not None else ""

    links = {}
    for row in ws.iter_rows():
        for cell in row:
            if cell.hyperlink is not None:
                h = cell.hyperlink
                links[cell.coordinate] = {"location": h.location, "target": h.target,
                                          "display": h.display}
    names = {}
    for dn in wb.defined_names.definedName:
        names[f"{dn.localSheetId}:{dn.name}"] = dn.attr_text
    heights = {str(r): d.height for r, d in ws.row_dimensions.items()
               if d.height is not None and r <= last_row}
    widths = {f"{d.min}-{d.max}": d.width for d in ws.column_dimensions.values()
              if d.min and d.customWidth}
    ps = ws.page_setup
    return {
        "sheet": ws.title,
        "values": cells,
        "looks": looks,
        "merges": sorted(str(r) for r in ws.merged_cells.ranges),
        "names": names,
        "links": links,
        "row_heights": heights,
        "default_row_height": ws.sheet_format.defaultRowHeight,
        "column_widths": widths,
        "page": {
            "orientation": ps.orientation,
            "print_title_rows": ws.print_title_rows,
            "footer": ws.oddFooter.center.text,
            "print_area": ws.print_area,
        },
    }


def snapshot_case(source, setup, extension=".xlsx"):
    folder, path = run_export(source, setup, extension)
    try:
        return snapshot(path)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main(argv):
    if len(argv) != 3 or argv[1] != "--write":
        print(__doc__, file=sys.stderr)
        return 2
    os.makedirs(argv[2], exist_ok=True)
    for name, source, setup in CASES:
        with open(os.path.join(argv[2], name + ".json"), "w", encoding="utf-8") as f:
            json.dump(snapshot_case(source, setup), f, indent=1, sort_keys=True, ensure_ascii=False)
            f.write("\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
