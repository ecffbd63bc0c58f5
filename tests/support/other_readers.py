"""Reads workbooks back with Gnumeric (ssconvert) and with Apache POI, into small records.

    gnumeric_read(path) -> (problems, record)   problems: the warning and critical lines
    poi_read(paths)     -> {path: record}       one Java run for all workbooks (.xls only)

A Gnumeric record: "values" (cell text by reference), "fonts" (the font of every valued cell
as "b i u=single sz=11 fc=RRGGBB"), "links" (reference -> target as Gnumeric stores it, with
"#" and the place for a place in the workbook), "names" (name -> what it refers to), "merges",
"paper" and "orientation". A POI record is the JSON PoiSheetDump.java prints.
"""

import gzip
import json
import os
import re
import subprocess
import tempfile
import xml.etree.ElementTree as ET

from xls_snapshot import column_letters

HERE = os.path.dirname(os.path.abspath(__file__))
GNM = "{http://www.gnumeric.org/v10.dtd}"
POI_JARS = ["poi.jar", "commons-collections4.jar", "commons-math3.jar", "commons-codec.jar"]
PROBLEM = re.compile(r"-(WARNING|CRITICAL|ERROR) \*\*")


def _colour(text):
    """Gnumeric's "R:G:B" with 16-bit hex parts as "FFRRGGBB"."""
    parts = [int(p, 16) >> 8 if len(p) > 2 else int(p, 16) for p in text.split(":")]
    return "FF" + "".join(f"{p:02X}" for p in parts)


def _font(style):
    font = style.find(GNM + "Font")
    parts = ["b" if font.get("Bold") == "1" else "", "i" if font.get("Italic") == "1" else "",
             {"1": "u=single", "2": "u=double"}.get(font.get("Underline"), ""),
             f"sz={float(font.get('Unit')):g}", f"fc={_colour(style.get('Fore'))}"]
    return " ".join(p for p in parts if p)


def gnumeric_read(path):
    """Converts the workbook to Gnumeric's own file and reads the first sheet of it."""
    with tempfile.TemporaryDirectory(prefix="kvo-gnm-") as folder:
        out = os.path.join(folder, "book.gnumeric")
        run = subprocess.run(["ssconvert", "--export-type=Gnumeric_XmlIO:sax", path, out],
                             capture_output=True, text=True, timeout=300,
                             env=dict(os.environ, LC_ALL="C.UTF-8"))
        problems = [line for line in run.stderr.splitlines() if PROBLEM.search(line)]
        # A problem message goes on over the lines after its first one.
        if problems:
            problems = [run.stderr.strip().replace("\n", " ")]
        if run.returncode != 0 or not os.path.exists(out):
            return problems or [f"ssconvert failed: {run.stderr.strip()}"], None
        with open(out, "rb") as f:
            data = f.read()
    if data[:2] == b"\x1f\x8b":
        data = gzip.decompress(data)
    sheet = ET.fromstring(data).find(f"{GNM}Sheets/{GNM}Sheet")
    values = {}
    for cell in sheet.iter(GNM + "Cell"):
        ref = f"{column_letters(int(cell.get('Col')) + 1)}{int(cell.get('Row')) + 1}"
        values[ref] = cell.text or ""
    fonts, links = {}, {}
    for region in sheet.iter(GNM + "StyleRegion"):
        top, left = int(region.get("startRow")) + 1, int(region.get("startCol")) + 1
        bottom, right = int(region.get("endRow")) + 1, int(region.get("endCol")) + 1
        style = region.find(GNM + "Style")
        link = style.find(GNM + "HyperLink")
        if link is not None:
            target = link.get("target")
            if link.get("type") == "GnmHLinkCurWB":
                target = "#" + target
            for row in range(top, bottom + 1):
                for col in range(left, right + 1):
                    links[f"{column_letters(col)}{row}"] = target
        font = _font(style)
        for ref in values:
            letters = "".join(c for c in ref if c.isalpha())
            col = 0
            for c in letters:
                col = col * 26 + ord(c) - 64
            if left <= col <= right and top <= int(ref[len(letters):]) <= bottom:
                fonts[ref] = font
    names = {}
    for name in sheet.iter(GNM + "Name"):
        key = name.find(GNM + "name")
        if key is not None and key.text != "Sheet_Title":
            names[key.text] = name.find(GNM + "value").text
    setup = sheet.find(GNM + "PrintInformation")
    record = {
        "values": values,
        "fonts": fonts,
        "links": links,
        "names": names,
        "merges": sorted(m.text for m in sheet.iter(GNM + "Merge")),
        "paper": setup.findtext(GNM + "paper") if setup is not None else None,
        "orientation": setup.findtext(GNM + "orientation") if setup is not None else None,
    }
    return problems, record


def poi_read(paths):
    """POI's view of each .xls workbook; a workbook POI cannot read has "error"."""
    classpath = ":".join(os.path.join("/usr/share/java", jar) for jar in POI_JARS)
    run = subprocess.run(["java", "-cp", classpath, os.path.join(HERE, "PoiSheetDump.java")] +
                         list(paths), capture_output=True, text=True, timeout=600)
    if run.returncode != 0:
        raise RuntimeError(f"PoiSheetDump failed: {run.stderr}")
    records = [json.loads(line) for line in run.stdout.splitlines() if line.strip()]
    return {record["path"]: record for record in records}
