"""What differs by nature between an .xls record (xls_snapshot) and an .xlsx record
(sheet_snapshot) of the same sheet, or between their readers, normalised so that the two
records compare key by key.

    as_xlsx(xls_record, xlsx_record, xlsx_path, test, name)   changes both records in place

Each difference has a function of its own below; everything else must match as it is.
"""

import re
import xml.etree.ElementTree as ET
import zipfile

import link_targets
from xls_snapshot import XLS_COLUMNS, column_letters, numbers_as_read_from_xlsx


def automatic_font_colour_as_theme_text(record):
    """The .xls font colour "automatic" is the colour openpyxl reports as theme colour 1."""
    for ref, text in record["looks"].items():
        record["looks"][ref] = text.replace("fc=auto", "fc=t1")


def merged_cells_as_placeholders(record):
    """openpyxl reads the cells a merged area hides as placeholders that keep only their top and
    bottom lines; the .xls cells keep their whole look, of which the lines are compared."""
    hidden = set()
    for area in record["merges"]:
        first, last = area.split(":")
        top_left = _split(first)
        bottom_right = _split(last)
        for row in range(top_left[1], bottom_right[1] + 1):
            for col in range(top_left[0], bottom_right[0] + 1):
                if (col, row) != top_left:
                    hidden.add(f"{column_letters(col)}{row}")
    for ref in hidden & set(record["looks"]):
        parts = record["looks"][ref].split()
        lines = [p for p in parts if p.startswith(("top=", "bot="))]
        record["looks"][ref] = " ".join(["sz=11", "fc=t1"] + lines + ["nf=General"])


ESCAPE = re.compile(r"_x([0-9A-Fa-f]{4})_")


def escapes_decoded(text):
    """The text a spreadsheet program reads from an .xlsx string: each "_xHHHH_" stands for one
    character (our writer escapes a literal one as "_x005F_xHHHH_" and a carriage return as
    "_x000D_"). Gnumeric hands the escapes on as they stand."""
    return ESCAPE.sub(lambda m: chr(int(m.group(1), 16)), text)


def xlsx_strings_decoded(xlsx, path):
    """openpyxl 3.0 drops "x005F_" from every shared string and leaves the other escapes as they
    stand; the values become what a spreadsheet program reads, from the strings of the file."""
    if path is None:  # a recorded sheet, which holds no escapes
        return
    with zipfile.ZipFile(path) as book:
        if "xl/sharedStrings.xml" not in book.namelist():
            return
        root = ET.fromstring(book.read("xl/sharedStrings.xml"))
    ns = "{http://schemas.openxmlformats.org/spreadsheetml/2006/main}"
    as_read = {}
    for item in root.iter(ns + "si"):
        raw = "".join(t.text or "" for t in item.iter(ns + "t"))
        as_read[raw.replace("x005F_", "")] = escapes_decoded(raw)
    for ref, (kind, value) in xlsx["values"].items():
        if kind == "str":
            xlsx["values"][ref] = [kind, as_read.get(value, value)]


def link_targets_plain(xls, xlsx):
    """The .xlsx file stores a target as a URI reference, the .xls file the plain path or URL
    (link_targets): both become the plain form, with the place after the target."""
    for record, plain in ((xls, link_targets.from_xls), (xlsx, link_targets.from_xlsx)):
        for link in record["links"].values():
            link["target"] = plain(link["target"], link["location"])
            link["location"] = None


def file_link_shown_text_checked(record, test, name):
    """The .xls link of a file carries the text its cell shows, which the .xlsx link does not:
    it must equal the cell's value, and is then left out."""
    for ref, link in record["links"].items():
        if link["target"] is not None:
            test.assertEqual(link["display"], record["values"][ref][1], f"{name} {ref}")
            link["display"] = None


def last_column_of_the_sheet(record):
    """An .xlsx sheet ends at column 16,384, an .xls sheet at column 256: a column run that
    reaches the last column reaches it in either file."""
    widths = {}
    for span, width in record["column_widths"].items():
        first, last = span.split("-")
        widths[f"{first}-{16384 if int(last) == XLS_COLUMNS else last}"] = width
    record["column_widths"] = widths


def _split(ref):
    letters = "".join(c for c in ref if c.isalpha())
    col = 0
    for c in letters:
        col = col * 26 + ord(c) - 64
    return col, int(ref[len(letters):])


def as_xlsx(xls, xlsx, xlsx_path, test, name):
    """Both records of one sheet, made comparable; xlsx_path is the .xlsx file read."""
    numbers_as_read_from_xlsx(xls)
    xlsx_strings_decoded(xlsx, xlsx_path)
    automatic_font_colour_as_theme_text(xls)
    merged_cells_as_placeholders(xls)
    file_link_shown_text_checked(xls, test, name)
    link_targets_plain(xls, xlsx)
    last_column_of_the_sheet(xls)
