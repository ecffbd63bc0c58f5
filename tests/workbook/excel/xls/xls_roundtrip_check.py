"""Reads the workbook written by XlsRoundTrip_test.cpp with xlrd and checks it, then checks the
stream positions held by BOUNDSHEET, INDEX, DBCELL and EXTSST, which xlrd does not use.

Usage: xls_roundtrip_check.py WORKBOOK
Prints one line per failed check and exits with status 1 if any failed.
"""

import io
import struct
import sys

import xlrd
from xlrd import compdoc

failures = []


def expect(actual, expected, what):
    if actual != expected:
        failures.append(f"{what}: expected {expected!r:.80}, got {actual!r:.80}")


def records(stream):
    """Every record as (position, type, body)."""
    pos, out = 0, []
    while pos + 4 <= len(stream):
        kind, size = struct.unpack_from("<HH", stream, pos)
        out.append((pos, kind, stream[pos + 4:pos + 4 + size]))
        pos += 4 + size
    return out


def check_values(book, ws):
    expect(ws.cell_value(0, 0), "x" * 32767, "A1 cut to 32,767 characters")
    expect(ws.cell_value(0, 1), "a" + "\U0001F600" * 16383, "B1 cut to 32,767 UTF-16 units")
    expect((ws.cell_type(0, 2), ws.cell_value(0, 2)), (xlrd.XL_CELL_NUMBER, 2.5), "C1 number")
    expect(ws.cell_type(0, 3), xlrd.XL_CELL_BLANK, "D1 blank with a fill")
    expect(book.xf_list[ws.cell_xf_index(0, 3)].background.pattern_colour_index, 13, "D1 fill")
    for row in range(2, 1202):
        for col in range(1, 4):
            text = f"s{row}-{col}" + ("\u03a9" if (row + col) % 3 == 0 else "")
            expect(ws.cell_value(row - 1, col - 1), text, f"cell {row},{col}")
    expect(ws.cell_value(65535, 255), "last cell", "IV65536")
    expect(len(ws.merged_cells), 1100, "merged areas")
    expect((1999, 2000, 4, 6) in ws.merged_cells, True, "E2000:F2000 merged")
    names = {n.name: n.result.value[0].coords for n in book.name_obj_list}
    expect(names.get("Last"), (0, 1, 65535, 65536, 0, 256), "name Last")


def check_links(ws):
    links = {h.frowx + 1: h for h in ws.hyperlink_list}
    url = links[3000]
    # The place stays in the URL, where every reader finds it.
    expect((url.type, url.url_or_path.rstrip("\0"), url.textmark, url.quicktip),
           ("url", "https://example.com/a b#part", None, "Tip"), "URL link")
    expected = {3001: ("local file", "C:\\docs\\manual #2.pdf"),
                3002: ("local file", "\\\\server\\share\\x.pdf"),
                3003: ("local file", "..\\up\\a.pdf"),
                3004: ("local file", "docs\\Größe #1.pdf")}
    for row, (kind, target) in expected.items():
        path = links[row].url_or_path
        path = path.decode("latin-1") if isinstance(path, bytes) else path.rstrip("\0")
        expect((links[row].type, path), (kind, target), f"link in row {row}")
        expect(links[row].desc.rstrip("\0"), ws.cell_value(row - 1, 0), f"shown text, row {row}")


def shared_strings(ws):
    """The cell texts in the order the table holds them: as first used, row by row."""
    seen = {}
    for row in range(ws.nrows):
        for col in range(ws.row_len(row)):
            if ws.cell_type(row, col) == xlrd.XL_CELL_TEXT:
                seen.setdefault(ws.cell_value(row, col), None)
    return list(seen)


def check_positions(path, ws):
    with open(path, "rb") as f:
        stream = compdoc.CompDoc(f.read(), logfile=io.StringIO()).get_named_stream("Workbook")
    recs = records(stream)
    at = {pos: (kind, body) for pos, kind, body in recs}
    kinds = [kind for _, kind, _ in recs]
    sheet_bof = struct.unpack_from("<I", next(b for _, k, b in recs if k == 0x0085))[0]
    expect(at.get(sheet_bof, (None,))[0], 0x0809, "BOUNDSHEET points at the sheet's BOF")

    index = next(b for _, k, b in recs if k == 0x020B)
    first, last, defcolwidth = struct.unpack_from("<III", index, 4)
    expect((first, last), (0, 65536), "INDEX rows")
    expect(at.get(defcolwidth, (None,))[0], 0x0055, "INDEX points at DEFCOLWIDTH")
    dbcells = struct.unpack_from(f"<{(len(index) - 16) // 4}I", index, 16)
    expect(len(dbcells), kinds.count(0x00D7), "INDEX lists every DBCELL")
    for dbcell in dbcells:
        kind, body = at.get(dbcell, (None, b""))
        if kind != 0x00D7:
            failures.append(f"INDEX entry {dbcell} is no DBCELL")
            continue
        row_pos = dbcell - struct.unpack_from("<I", body)[0]
        rows = [p for p, k, _ in recs if row_pos <= p < dbcell and k == 0x0208]
        cell_pos = rows[0] + 20
        for row_at, offset in zip(rows, struct.unpack_from(f"<{len(rows)}H", body, 4)):
            cell_pos += offset
            row = struct.unpack_from("<H", at[row_at][1])[0]
            kind, cell = at.get(cell_pos, (None, b"\0\0"))
            if kind != 0x0208 and kind != 0x00D7:  # a row without cells points past them
                expect(struct.unpack_from("<H", cell)[0], row, f"DBCELL offset of row {row}")

    sst_records = [(p, b) for p, k, b in recs if k in (0x00FC, 0x003C) and p < sheet_bof]
    extsst = next(b for _, k, b in recs if k == 0x00FF)
    per_bucket = struct.unpack_from("<H", extsst)[0]
    strings = shared_strings(ws)
    for i in range((len(extsst) - 2) // 8):
        position, offset = struct.unpack_from("<IH", extsst, 2 + 8 * i)
        holder = [p for p, _ in sst_records if p + offset == position]
        count = struct.unpack_from("<H", stream, position)[0]
        expect((bool(holder), count), (True, len(strings[i * per_bucket].encode("utf-16-le")) // 2),
               f"EXTSST bucket {i}")


def main():
    path = sys.argv[1]
    book = xlrd.open_workbook(path, formatting_info=True)
    ws = book.sheet_by_index(0)
    check_values(book, ws)
    check_links(ws)
    check_positions(path, ws)
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
