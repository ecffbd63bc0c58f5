"""Reads an exported Excel 97-2003 workbook back with xlrd into the record of sheet_snapshot.

The record has the shape sheet_snapshot.snapshot gives for .xlsx workbooks, with what the .xls
file stores as it stores it: numbers as floats, the automatic font colour as "auto", file-link
targets as plain paths, every link with its shown text, whole rows and columns ending at row
65,536 and column 256. Whole rows (a row area over all 256 columns) are written "$5:$5".
Footer and orientation, which xlrd does not read, come from the FOOTER and SETUP records of the
workbook stream that xlrd's compound-document reader extracts.
"""

import io
import re
import struct

import xlrd
from xlrd import compdoc

from sheet_snapshot import MASKED

XLS_COLUMNS = 256
HORIZONTAL = {1: "left", 2: "center", 3: "right"}
VERTICAL = {0: "top", 1: "center"}  # 2, bottom, is the default
UNDERLINE = {1: "single", 2: "double"}


def column_letters(col):
    """'A' for 1."""
    letters = ""
    while col:
        col, rest = divmod(col - 1, 26)
        letters = chr(65 + rest) + letters
    return letters


def area_text(rlo, rhi, clo, chi):
    """xlrd's half-open area as an absolute reference."""
    if clo == 0 and chi == XLS_COLUMNS:
        return f"${rlo + 1}:${rhi}"
    return f"${column_letters(clo + 1)}${rlo + 1}:${column_letters(chi)}${rhi}"


def records(stream):
    """(type, body) of every record of a workbook stream."""
    pos = 0
    while pos + 4 <= len(stream):
        kind, size = struct.unpack_from("<HH", stream, pos)
        yield kind, stream[pos + 4:pos + 4 + size]
        pos += 4 + size


def sheet_records(path):
    """The records of the first sheet's substream: BOF (sheet) to its EOF."""
    with open(path, "rb") as f:
        stream = compdoc.CompDoc(f.read(), logfile=io.StringIO()).get_named_stream(
            "Workbook")
    out, inside = [], False
    for kind, body in records(stream):
        if kind == 0x0809:
            inside = struct.unpack_from("<H", body, 2)[0] == 0x0010
        elif inside:
            if kind == 0x000A:
                break
            out.append((kind, body))
    return out


def page_records(path):
    """Centre footer and orientation from the sheet's FOOTER and SETUP records."""
    footer, orientation = None, None
    for kind, body in sheet_records(path):
        if kind == 0x0015 and body:
            count, flags = struct.unpack_from("<HB", body)
            raw = body[3:3 + count * (2 if flags & 1 else 1)]
            text = raw.decode("utf-16-le" if flags & 1 else "latin-1")
            centre = re.search(r"&C(.*?)(?=&[LR]|$)", text)
            footer = centre.group(1) if centre else None
        elif kind == 0x00A1:
            options = struct.unpack_from("<H", body, 10)[0]
            no_settings, portrait, no_orientation = options & 4, options & 2, options & 0x40
            if not no_settings and not no_orientation:
                orientation = "portrait" if portrait else "landscape"
    return footer, orientation


def numbers_as_read_from_xlsx(record):
    """The .xls file stores every number as a double; openpyxl reads "2" as an int."""
    for ref, (kind, value) in record["values"].items():
        if kind == "float" and value == int(value):
            record["values"][ref] = ["int", int(value)]


def snapshot(path):
    book = xlrd.open_workbook(path, formatting_info=True)
    ws = book.sheet_by_index(0)

    def color(index):
        rgb = book.colour_map.get(index)
        return "auto" if rgb is None else "FF%02X%02X%02X" % rgb

    def look(xf_index):
        xf = book.xf_list[xf_index]
        font = book.font_list[xf.font_index]
        a, b, bg = xf.alignment, xf.border, xf.background
        fill = color(bg.pattern_colour_index) if bg.fill_pattern == 1 else None
        line = {0: None, 1: "thin"}
        parts = [
            "b" if font.bold else "", "i" if font.italic else "",
            f"u={UNDERLINE[font.underline_type]}" if font.underline_type else "",
            f"sz={font.height / 20:g}", f"fc={color(font.colour_index)}",
            f"fill={fill}" if fill else "",
            f"top={line[b.top_line_style]}" if b.top_line_style else "",
            f"bot={line[b.bottom_line_style]}" if b.bottom_line_style else "",
            f"h={HORIZONTAL[a.hor_align]}" if a.hor_align else "",
            f"v={VERTICAL[a.vert_align]}" if a.vert_align in VERTICAL else "",
            "wrap" if a.text_wrapped else "", f"nf={book.format_map[xf.format_key].format_str}",
        ]
        return " ".join(p for p in parts if p)

    def has_record(row, col):
        return (row < ws.nrows and col < ws.row_len(row)
                and ws.cell_type(row, col) != xlrd.XL_CELL_EMPTY)

    last_row = ws.nrows + 1
    last_col = max(ws.ncols, 8) + 1
    cells, looks = {}, {}
    for row in range(1, last_row + 1):
        rinfo = ws.rowinfo_map.get(row - 1)
        for col in range(1, last_col + 1):
            ref = f"{column_letters(col)}{row}"
            if has_record(row - 1, col - 1):
                cell = ws.cell(row - 1, col - 1)
                if cell.ctype == xlrd.XL_CELL_TEXT and ref not in MASKED:
                    cells[ref] = ["str", cell.value]
                elif cell.ctype == xlrd.XL_CELL_NUMBER and ref not in MASKED:
                    cells[ref] = ["float", cell.value]
                looks[ref] = look(cell.xf_index)
            elif rinfo is not None and rinfo.has_default_xf_index:
                looks[ref] = look(rinfo.xf_index)
            elif col - 1 in ws.colinfo_map:
                looks[ref] = look(ws.colinfo_map[col - 1].xf_index)
            else:
                looks[ref] = ""

    links = {}
    for h in ws.hyperlink_list:
        ref = f"{column_letters(h.fcolx + 1)}{h.frowx + 1}"
        target = getattr(h, "url_or_path", None)
        if isinstance(target, bytes):  # the 8-bit path of a file moniker
            target = target.decode("latin-1")
        links[ref] = {"location": getattr(h, "textmark", None), "target": target,
                      "display": getattr(h, "desc", None)}

    names, print_titles, print_area = {}, None, None
    for name in book.name_obj_list:
        (ref,) = name.result.value
        _, _, rlo, rhi, clo, chi = ref.coords
        if name.builtin and name.name == "Print_Titles":
            print_titles = area_text(rlo, rhi, clo, chi)
        elif name.builtin and name.name == "Print_Area":
            print_area = [area_text(rlo, rhi, clo, chi)]
        else:
            names[f"{name.scope}:{name.name}"] = f"{ws.name}!" + area_text(rlo, rhi, clo, chi)

    heights = {str(r + 1): info.height / 20 for r, info in ws.rowinfo_map.items()
               if info.height_mismatch and r + 1 <= last_row}
    widths, run = {}, None
    for col in sorted(ws.colinfo_map):
        info = ws.colinfo_map[col]
        if not info.bit1_flag:
            continue
        if run and run[1] == col - 1 and run[2] == info.width:
            run[1] = col
        else:
            run = [col, col, info.width]
            widths[col] = run
    footer, orientation = page_records(path)
    return {
        "sheet": ws.name,
        "values": cells,
        "looks": looks,
        "merges": sorted(f"{column_letters(clo + 1)}{rlo + 1}:{column_letters(chi)}{rhi}"
                         for rlo, rhi, clo, chi in ws.merged_cells),
        "names": names,
        "links": links,
        "row_heights": heights,
        "default_row_height": ws.default_row_height / 20,
        "column_widths": {f"{lo + 1}-{hi + 1}": width / 256 for lo, hi, width in widths.values()},
        "page": {
            "orientation": orientation,
            "print_title_rows": print_titles,
            "footer": footer,
            "print_area": print_area,
        },
    }
