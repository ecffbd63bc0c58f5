"""One plain form of a link target, whichever file or reader it comes from.

The .xlsx file stores a target as a URI reference: blanks, "#" and "%" of a file name escaped,
"file:///" before drive and network paths, a URL's place apart from it. The .xls file stores the
plain path or the URL as it stands. Both use "\\" in file paths. The plain form: "/" for "\\",
no "file:///" before a path, no leading "./", the place after a URL's "#", a link to a place in
the workbook as "#" and the place.
"""

import re
import urllib.parse

SCHEME = re.compile(r"^[A-Za-z][A-Za-z0-9+.-]+://|^mailto:")


def _path(text):
    text = text.replace("\\", "/")
    return text[2:] if text.startswith("./") else text


def from_xlsx(target, location):
    """The plain form of a target read from an .xlsx file (openpyxl, Gnumeric)."""
    if not target:
        return "#" + (location or "")
    # A drive or network path gets "file:///" before it, and keeps "\\" where a URL has "/".
    if target.startswith("file:///") and "/" not in target[8:]:
        target = target[8:]
    if SCHEME.match(target):
        text = urllib.parse.unquote(target)
        return text + "#" + location if location else text
    text = _path(urllib.parse.unquote(target))
    return text + "#" + location if location else text


def from_xls(target, location):
    """The plain form of a target read from an .xls file (xlrd, POI, Gnumeric)."""
    if not target:
        return "#" + (location or "")
    if SCHEME.match(target):
        text = urllib.parse.unquote(target)
    else:
        text = _path(target)
    return text + "#" + location if location else text
