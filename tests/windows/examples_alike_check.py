"""Every bundled example, as .xlsx and as .xls, exported by the Windows command under Wine and by
the Linux command, both under the locale de_DE.UTF-8: every inflated .xlsx part and the whole
.xls file are the same bytes once the times of the runs are masked (the export date in the
sheet, the document's creation and change times).

    examples_alike_check.py LINUX_CLI WINE_CLI    (WINE_CLI: tests/windows/wine-cli)
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "support"))
from sheet_snapshot import CASES, EXAMPLES  # noqa: E402

LOCALE = "de_DE.UTF-8"
# The export date of the caption table as de_DE writes it, and the W3C times of the core part.
TIMES = [re.compile(rb"\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d"),
         re.compile(rb"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ")]


def masked(data):
    for pattern in TIMES:
        data = pattern.sub(lambda m: b"#" * len(m.group(0)), data)
    return data


def export(cli, folder, source, setup, extension):
    export_dir = os.path.join(folder, "ORVELD", "Addin Modules", "Stackwright", "Export")
    os.makedirs(export_dir)
    shutil.copy(os.path.join(EXAMPLES, source), folder)
    env = dict(os.environ, APPDATA=folder, LC_ALL=LOCALE, KVO_WINE_LOCALE=LOCALE)
    run = subprocess.run([cli, os.path.join(folder, source), os.path.join(EXAMPLES, "config.xml"),
                          "@" + os.path.join(EXAMPLES, "setup", setup), extension],
                         env=env, capture_output=True, text=True, timeout=300)
    if run.returncode != 0:
        raise RuntimeError(f"{cli} {source} {setup} {extension}: {run.stderr}")
    return run.stdout.strip().splitlines()[0]


def parts(path):
    if not path.endswith(".xlsx"):
        with open(path, "rb") as f:
            return {"(the .xls file)": masked(f.read())}
    with zipfile.ZipFile(path) as z:
        return {name: masked(z.read(name)) for name in z.namelist()}


def main(linux_cli, wine_cli):
    failures = []
    for name, source, setup in CASES:
        for extension in (".xlsx", ".xls"):
            folders = [tempfile.mkdtemp(prefix="kvo-alike-") for _ in range(2)]
            try:
                made = [parts(export(cli, folder, source, setup, extension))
                        for cli, folder in zip((linux_cli, wine_cli), folders)]
            finally:
                for folder in folders:
                    shutil.rmtree(folder, ignore_errors=True)
            linux, wine = made
            if sorted(linux) != sorted(wine):
                failures.append(f"{name}{extension}: parts {sorted(linux)} / {sorted(wine)}")
            for part in sorted(set(linux) & set(wine)):
                if linux[part] != wine[part]:
                    failures.append(f"{name}{extension}: {part} differs")
            print(f"{name}{extension}: {len(linux)} parts compared")
    for line in failures:
        print("FAIL " + line)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
