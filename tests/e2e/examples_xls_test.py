"""Every bundled example exported as .xls reads back (with xlrd) as the recorded sheet.

The expectations are the records of tests/e2e/expected, which the .xlsx exports are checked
against too. Only what differs by nature between the two files, or between their readers, is
normalised (xls_alike); everything else must match as recorded.
"""

import io
import json
import os
import shutil
import struct
import subprocess
import tempfile
import unittest

from xlrd import compdoc

from examples_snapshot_test import EXPECTED, differences
from sheet_snapshot import CASES, CLI, EXAMPLES, run_export
from xls_alike import as_xlsx
from xls_snapshot import snapshot


class ExamplesAsXlsMatchRecordedSheets(unittest.TestCase):
    def test_every_example(self):
        for name, source, setup in CASES:
            with self.subTest(example=name):
                with open(os.path.join(EXPECTED, name + ".json"), encoding="utf-8") as f:
                    expected = json.load(f)
                folder, path = run_export(source, setup, ".xls")
                try:
                    self.assertTrue(path.endswith(".xls"), path)
                    actual = snapshot(path)
                finally:
                    shutil.rmtree(folder, ignore_errors=True)
                as_xlsx(actual, expected, None, self, name)
                diff = differences(expected, json.loads(json.dumps(actual)))
                self.assertEqual(diff, [], f"{name}: {len(diff)} differences:\n" +
                                 "\n".join(diff[:40]))

    def test_file_type_is_a_compound_document_workbook(self):
        name, source, setup = CASES[0]
        folder, path = run_export(source, setup, ".xls")
        try:
            kind = subprocess.run(["file", "-b", path], capture_output=True, text=True,
                                  check=True).stdout
        finally:
            shutil.rmtree(folder, ignore_errors=True)
        self.assertTrue("CDFV2" in kind or "Composite Document" in kind, kind)
        self.assertIn("Excel", kind)
        self.assertNotIn("2007+", kind)

    def test_empty_or_missing_extension_writes_a_biff8_workbook(self):
        name, source, setup = CASES[0]
        for extension in ("", None):
            with self.subTest(extension=extension):
                folder = tempfile.mkdtemp(prefix="kvo-default-")
                self.addCleanup(shutil.rmtree, folder, ignore_errors=True)
                shutil.copy(os.path.join(EXAMPLES, source), folder)
                args = [CLI, os.path.join(folder, source), os.path.join(EXAMPLES, "config.xml"),
                        "@" + os.path.join(EXAMPLES, "setup", setup)]
                run = subprocess.run(args + ([extension] if extension is not None else []),
                                     env=dict(os.environ, APPDATA=folder, LC_ALL="C"),
                                     capture_output=True, text=True, timeout=120)
                self.assertEqual(run.returncode, 0, run.stderr)
                path = run.stdout.strip()
                self.assertEqual(path, os.path.join(folder, source[:-len(".xml")] + ".xls"))
                with open(path, "rb") as f:
                    stream = compdoc.CompDoc(f.read(), logfile=io.StringIO()).get_named_stream(
                        "Workbook")
                # The stream starts with a BIFF8 workbook BOF: type 0x0809, version 0x0600.
                self.assertEqual(struct.unpack_from("<HHHH", stream), (0x0809, 16, 0x0600, 5))


if __name__ == "__main__":
    unittest.main()
