"""Random item sources whose values try to hurt: texts beyond the Basic Multilingual Plane,
combining marks, right-to-left script, long texts, formula-like and number-like texts, line
breaks, escape-like and markup characters, and file names with blanks, "#", "%", characters
beyond ASCII, URLs, network and absolute paths. The same seed gives the same source.

    source(seed) -> (XML text of the source, setup string)
"""

import random

EMOJI = "\U0001F600"
TEXTS = [
    "\U0001F600\U0001F389 party", "\U0001D518\U0001D52B\U0001D526", "\U00020000\U00020001 ext-B",
    "e\u0301\u0302 combining", "Z\u0351\u0352\u0353\u0354", "a\u200db\u200ec",
    "\u05e9\u05dc\u05d5\u05dd \u05e2\u05d5\u05dc\u05dd", "\u0645\u0631\u062d\u0628\u0627",
    "abc \u05e2\u05d1\u05e8\u05d9\u05ea 123", "=SUM(A1:A3)", "+1", "-5", "@user",
    '=HYPERLINK("http://x")', "00123", "1e5", "1,5", " 42 ", "0x1F", "3.14", "-0", "1/2",
    "line1\nline2", "a\r\nb", "\n", "_x0041_", "_x005F_x0042_", "<&>\"'", "  lead", "trail  ",
    "\t tab", "", "Gr\u00f6\u00dfe \u20ac \u00b5", "\u65e5\u672c\u8a9e", "\u00e9" * 300,
]
FILES = [
    "docs/My File #2 100%.pdf", "../up/\u00fc/\u03b2.pdf", "C:\\Data\\a b.pdf", "D:/x/y#1.pdf",
    "\\\\srv\\share\\d e.pdf", "//srv/share/f \u00e9.pdf", "https://example.com/a b?c=1&d=2#frag",
    "http://\u4f8b\u3048.jp/\u30d1\u30b9", "mailto:a@b.c", "file:///C:/x.pdf", "./here.pdf",
    "a%41.pdf", "%zz.pdf", "vault/DS-1000.pdf", "\u65e5\u672c/\u30d5\u30a1\u30a4\u30eb.pdf",
    "a\u0301/\U0001F600.txt", "http://example.com/%20already", "rel/path with  two  blanks.doc",
]
ATTRIBUTES = ["itemType", "category", "uom", "lifecycleState", "material", "weightGrams", "rohs"]


def _escaped(text):
    """The text as an XML attribute value that keeps every character, line breaks and tabs too."""
    out = text.replace("&", "&amp;").replace("<", "&lt;").replace('"', "&quot;")
    return out.replace("\n", "&#10;").replace("\r", "&#13;").replace("\t", "&#9;")


def _text(rng, long_texts):
    roll = rng.random()
    if long_texts and roll < 0.08:
        return rng.choice(["x", "\u00e9", EMOJI, "ab\U0001D518"]) * rng.randint(9000, 17000)
    if roll < 0.35:
        return "".join(rng.choice(TEXTS) for _ in range(rng.randint(2, 4)))
    return rng.choice(TEXTS)


def _item(rng, number, depth, long_texts, override=None):
    attrs = {"number": number, "revision": rng.choice(["A", "B", "\u00c4", EMOJI, ""]),
             "description": _text(rng, long_texts)}
    for name in rng.sample(ATTRIBUTES, rng.randint(2, len(ATTRIBUTES))):
        attrs[name] = _text(rng, long_texts)
    attrs.update(override or {})
    head = "<Item " + " ".join(f'{k}="{_escaped(v)}"' for k, v in attrs.items()) + ">"
    body = ""
    for d in range(rng.randint(0, 2)):
        datasets = "".join(
            f'<DocDataset><Dataset fileName="{_escaped(rng.choice(FILES))}" '
            f'fileType="{_escaped(rng.choice(TEXTS[:6]))}" sizeKB="{rng.randint(0, 9999)}"/>'
            f"</DocDataset>" for _ in range(rng.randint(1, 3)))
        body += (f'<ItemDocument><Document docNumber="{number}-D{d}" docRevision="A" '
                 f'title="{_escaped(_text(rng, False))}">{datasets}</Document></ItemDocument>')
    if depth > 0:
        for c in range(rng.randint(0, 2)):
            child = _item(rng, f"{number}.{c}", depth - 1, long_texts)
            body += (f'<BomLine findNumber="{_escaped(rng.choice(TEXTS))}" '
                     f'quantity="{rng.choice(["1", "2.5", "-1", "1e3", "x"])}">{child}</BomLine>')
    return head + body + "</Item>"


def source(seed):
    """One source and its setup; every fifth seed has the long texts beyond the BMP."""
    rng = random.Random(seed)
    long_texts = seed % 5 == 0
    structure = rng.random() < 0.5
    numbers = [f"P{seed}-{i}{rng.choice(['', ' ', '#', EMOJI, '/'])}" for i in range(6)]
    # With the long texts, one of 34,000 UTF-16 units, which no cell holds whole.
    first = {"material": EMOJI * 17000} if long_texts else None
    if structure:
        items = _item(rng, numbers[0], 2, long_texts, first)
    else:
        count = rng.randint(2, 6)
        items = "".join(_item(rng, n, 0, long_texts, first if i == 0 else None)
                        for i, n in enumerate(numbers[:count]))
    space = "STRUCTURE" if structure else "COLLECTION"
    setup = (f"<ExportSetup><SPACE_TYPE>{space}</SPACE_TYPE><OBJECT_TYPE>Item</OBJECT_TYPE>"
             f"<PROJECT>{_escaped(rng.choice(TEXTS))}</PROJECT></ExportSetup>")
    return f"<Root_Element>{items}</Root_Element>", setup
