"""Reads a workbook written by the engine's round-trip test with openpyxl and checks it.

Usage: roundtrip_check.py WORKBOOK [key=value ...]
  wrapped_row=N wrapped_height=H   row N must have the fitted height H (points)
Prints one line per failed check and exits with status 1 if any failed.
"""

import sys
import urllib.parse
import zipfile

import openpyxl

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def expect(actual, expected, what):
    check(actual == expected, f"{what}: expected {expected!r}, got {actual!r}")


def rgb(color):
    return color.rgb if color is not None and color.type == "rgb" else None


def main():
    path = sys.argv[1]
    options = dict(arg.split("=", 1) for arg in sys.argv[2:])
    wb = openpyxl.load_workbook(path)
    expect(wb.sheetnames, ["Sheet1"], "sheet names")
    ws = wb["Sheet1"]

    # Whole-sheet formats, caption row, column width.
    a1 = ws["A1"]
    expect(a1.value, "Field 1", "A1 value")
    expect(a1.font.b, True, "A1 bold (row 1)")
    expect(a1.alignment.horizontal, "left", "A1 horizontal")
    expect(a1.alignment.vertical, "top", "A1 vertical")
    expect(a1.alignment.wrap_text, True, "A1 wrap")
    expect(a1.number_format, "@", "A1 number format")
    expect(ws.row_dimensions[1].font.b, True, "row 1 format bold")
    col_a = ws.column_dimensions["A"]
    check(abs(col_a.width - 21.7109375) < 1e-6, f"column A width: got {col_a.width}")
    expect(col_a.alignment.horizontal, "left", "column default horizontal")
    expect(col_a.alignment.wrap_text, True, "column default wrap")
    expect(col_a.number_format, "@", "column default number format")

    # Main caption bar: merged, black fill, white 14-point text, top and bottom lines only.
    check(any(str(r) == "A4:I4" for r in ws.merged_cells.ranges), "A4:I4 merged")
    check(any(str(r) == "A9:B9" for r in ws.merged_cells.ranges), "A9:B9 merged")
    expect(len(ws.merged_cells.ranges), 2, "number of merged areas")
    expect(ws.row_dimensions[4].height, 18, "row 4 height")
    # Cells hidden by a merge are read in read-only mode, where they keep their own style.
    bar = openpyxl.load_workbook(path, read_only=True)["Sheet1"]
    bar_row = next(bar.iter_rows(min_row=4, max_row=4, min_col=1, max_col=9))
    bar_cells = dict(zip("ABCDEFGHI", bar_row))
    for col in "ABCDEFGHI":
        cell = bar_cells[col]
        expect(cell.fill.fill_type, "solid", f"{col}4 fill type")
        expect(rgb(cell.fill.fgColor), "FF000000", f"{col}4 fill colour")
        expect(cell.border.top.style, "thin", f"{col}4 top border")
        expect(cell.border.bottom.style, "thin", f"{col}4 bottom border")
        expect(cell.border.left.style, None, f"{col}4 left border")
        expect(cell.border.right.style, None, f"{col}4 right border")
        expect(cell.font.sz, 14, f"{col}4 font size")
        expect(rgb(cell.font.color), "FFFFFFFF", f"{col}4 font colour")
        expect(cell.alignment.vertical, "top", f"{col}4 vertical (sheet top set last)")
    expect(ws["A4"].value, "Main Panel", "A4 value")
    expect(ws["A4"].font.b, True, "A4 bold")
    expect(ws["J4"].fill.fill_type, None, "J4 outside the bar has no fill")
    expect(ws["A5"].border.top.style, None, "A5 has no border")

    # Grey head bar, bold italic heading with colour 48, grey 40 % fill.
    for col in "ABCDEF":
        cell = ws[f"{col}8"]
        expect(rgb(cell.fill.fgColor), "FFC0C0C0", f"{col}8 fill colour 15")
        expect(cell.border.top.style, "thin", f"{col}8 top border")
    expect(ws["G8"].border.top.style, None, "G8 outside the head bar")
    a9 = ws["A9"]
    expect((a9.font.b, a9.font.i), (True, True), "A9 bold italic")
    expect(rgb(a9.font.color), "FF969696", "A9 font colour 48")
    expect(rgb(ws["C10"].fill.fgColor), "FF969696", "C10 fill colour 48")

    # Values: numbers, texts that look like formulas or escapes, repaired and cut text.
    expect((ws["A6"].value, ws["A6"].data_type), (0, "n"), "A6 number")
    expect((ws["C6"].value, ws["C6"].data_type), ("=1+2", "s"), "C6 text starting with =")
    expect(ws["D6"].value, "_x0041_", "D6 literal escape")
    expect(ws["E6"].value, "ab\ufffd\ufffdcd", "E6 invalid UTF-8 replaced")
    cut = ws["F6"].value
    check(isinstance(cut, str) and len(cut) == 32767 and set(cut) == {"x"},
          f"F6 cut to 32767 characters: got {len(cut) if cut else cut}")
    expect(ws["G6"].alignment.wrap_text in (None, False), True, "G6 wrap turned off again")
    expect(ws["A20"].alignment.vertical in (None, "bottom"), True, "A20 bottom after sheet top")

    # Wrapped text gets a fitted row height.
    if "wrapped_row" in options:
        row = int(options["wrapped_row"])
        height = ws.row_dimensions[row].height
        check(height is not None and abs(height - float(options["wrapped_height"])) < 1e-6,
              f"row {row} height: expected {options['wrapped_height']}, got {height}")

    # Sheet-local name and the internal link to it.
    names = [(d.name, d.localSheetId, d.attr_text) for d in wb.defined_names.definedName]
    expect(names, [("ID_P_45100_B_0", 0, "Sheet1!$12:$12")], "defined names")
    b6 = ws["B6"]
    expect(b6.value, "P-100", "B6 keeps its text")
    check(b6.hyperlink is not None and b6.hyperlink.location == "ID_P_45100_B_0"
          and b6.hyperlink.target is None, "B6 internal link to the name")
    expect(b6.font.u, "single", "B6 underlined")
    expect(rgb(b6.font.color), "FF0000FF", "B6 link colour")
    expect(b6.font.b, True, "B6 keeps its bold")

    # External file links: the cell shows the name exactly, the target opens that file.
    files = {
        "B14": ("a/b #1.pdf", "a\\b%20%231.pdf"),
        "B15": ("dir/100% sure.pdf", "dir\\100%25%20sure.pdf"),
        "B16": ("C:\\docs\\spec #2.pdf", "file:///C:\\docs\\spec%20%232.pdf"),
        "B17": ("plain name.txt", "plain%20name.txt"),
    }
    for ref, (name, target) in files.items():
        cell = ws[ref]
        expect(cell.value, name, f"{ref} shown text")
        link = cell.hyperlink
        check(link is not None and link.target == target,
              f"{ref} target: expected {target!r}, got {link.target if link else None!r}")
        if link is not None and link.target:
            opened = urllib.parse.unquote(link.target.removeprefix("file:///"))
            expect(opened.replace("\\", "/"), name.replace("\\", "/"), f"{ref} target decoded")

    # Page setup.
    expect(ws.page_setup.orientation, "landscape", "orientation")
    expect(ws.print_title_rows, "$1:$3", "print title rows")
    expect(ws.oddFooter.center.text, "&P", "centre footer")
    expect(list(ws.print_area) if ws.print_area else None, ["$A$1:$F$40"], "print area")

    # The raw file: no formulas, literal escapes escaped.
    with zipfile.ZipFile(path) as archive:
        sheet_xml = archive.read("xl/worksheets/sheet1.xml").decode("utf-8")
        strings_xml = archive.read("xl/sharedStrings.xml").decode("utf-8")
    check("<f>" not in sheet_xml, "sheet holds a formula")
    check("_x005F_x0041_" in strings_xml, "literal _x0041_ is not escaped in the file")

    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
