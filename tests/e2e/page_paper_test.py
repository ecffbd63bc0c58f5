"""Both formats print on the paper of the user's locale: Letter where LC_PAPER (or what stands
for it) names Letter, A4 everywhere else. Read back with openpyxl (.xlsx), from the SETUP record
(.xls) and with Gnumeric (both)."""

import os
import shutil
import struct
import subprocess
import tempfile
import unittest

import openpyxl

from other_readers import gnumeric_read
from sheet_snapshot import CLI, EXAMPLES
from xls_snapshot import sheet_records

LETTER, A4 = 1, 9
GNUMERIC_PAPER = {LETTER: "na_letter", A4: "iso_a4"}


def xls_paper(path):
    for kind, body in sheet_records(path):
        if kind == 0x00A1:  # SETUP
            return struct.unpack_from("<H", body, 0)[0]
    return None


class PaperOfTheLocale(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # Locales of the test's own, so that nothing of the machine's is changed or needed.
        cls.locales = tempfile.mkdtemp(prefix="kvo-locales-")
        cls.addClassCleanup(shutil.rmtree, cls.locales, ignore_errors=True)
        for name in ("en_US", "de_DE"):
            subprocess.run(["localedef", "-i", name, "-f", "UTF-8",
                            os.path.join(cls.locales, name + ".UTF-8")],
                           check=True, capture_output=True)

    def export(self, extension, **env):
        folder = tempfile.mkdtemp(prefix="kvo-paper-")
        self.addCleanup(shutil.rmtree, folder, ignore_errors=True)
        shutil.copy(os.path.join(EXAMPLES, "items-collection.xml"), folder)
        clean = {k: v for k, v in os.environ.items()
                 if k not in ("LC_ALL", "LC_PAPER", "LANG", "LANGUAGE")}
        run = subprocess.run(
            [CLI, os.path.join(folder, "items-collection.xml"),
             os.path.join(EXAMPLES, "config.xml"),
             "@" + os.path.join(EXAMPLES, "setup", "items-collection.xml"), extension],
            env=dict(clean, APPDATA=folder, LOCPATH=self.locales, **env),
            capture_output=True, text=True, timeout=120)
        self.assertEqual(run.returncode, 0, run.stderr)
        return run.stdout.strip()

    def test_each_format_stores_the_paper_of_the_locale(self):
        cases = [({"LC_PAPER": "en_US.UTF-8"}, LETTER),
                 ({"LANG": "en_US.UTF-8"}, LETTER),
                 ({"LC_PAPER": "de_DE.UTF-8", "LANG": "en_US.UTF-8"}, A4),
                 ({"LC_ALL": "C"}, A4),
                 ({"LC_ALL": "en_US.UTF-8", "LC_PAPER": "de_DE.UTF-8"}, LETTER),
                 ({"LC_PAPER": "xx_YY.UTF-8"}, A4)]
        for env, paper in cases:
            with self.subTest(**env):
                xlsx = self.export(".xlsx", **env)
                self.assertEqual(openpyxl.load_workbook(xlsx).active.page_setup.paperSize,
                                 paper)
                xls = self.export(".xls", **env)
                self.assertEqual(xls_paper(xls), paper)
                for path in (xlsx, xls):
                    problems, record = gnumeric_read(path)
                    self.assertEqual((problems, record["paper"]), ([], GNUMERIC_PAPER[paper]),
                                     path)


if __name__ == "__main__":
    unittest.main()
