#!/usr/bin/env python3
"""scripts/deb-src-entries: the deb-src entries bootstrap --windows adds for `apt-get source`."""

import os
import pathlib
import subprocess
import tempfile
import unittest

SCRIPT = pathlib.Path(os.environ.get("KVO_SOURCE_DIR", pathlib.Path(__file__).parents[2]))
SCRIPT = SCRIPT / "scripts" / "deb-src-entries"

MAIN = """\
Types: deb
# a comment inside the stanza
URIs: http://mirror.example/debian/
Suites: bookworm bookworm-updates
Components: main contrib
Architectures: amd64 i386
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mQINBGPL0BUBEADmW5NdOOHwPIJlgPu6JDcKw/NZJPR8lsD9K7UgrTvP
 -----END PGP PUBLIC KEY BLOCK-----

Types: deb
URIs: http://mirror.example/debian-security
Suites: bookworm-security
Components: main
Enabled: no
"""


class DebSrcEntriesTest(unittest.TestCase):
    def run_script(self, files, fmt):
        with tempfile.TemporaryDirectory() as etc:
            folder = pathlib.Path(etc, "sources.list.d")
            folder.mkdir()
            for name, text in files.items():
                (pathlib.Path(etc) / name if name == "sources.list" else folder / name).write_text(text)
            done = subprocess.run([str(SCRIPT), "--etc", etc, "--format", fmt],
                                  capture_output=True, text=True, check=True)
            return done.stdout

    def test_deb822_stanza_is_copied_as_source_without_architectures(self):
        out = self.run_script({"main.sources": MAIN}, "sources")
        self.assertEqual(out, """\
Types: deb-src
URIs: http://mirror.example/debian/
Suites: bookworm bookworm-updates
Components: main contrib
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mQINBGPL0BUBEADmW5NdOOHwPIJlgPu6JDcKw/NZJPR8lsD9K7UgrTvP
 -----END PGP PUBLIC KEY BLOCK-----
""")

    def test_suites_that_have_sources_are_left_out(self):
        one_line = "deb-src http://mirror.example/debian bookworm main\n"
        out = self.run_script({"main.sources": MAIN, "sources.list": one_line}, "sources")
        self.assertIn("Suites: bookworm-updates\n", out)
        self.assertNotIn("bookworm ", out)
        both = MAIN.replace("Types: deb\n", "Types: deb deb-src\n", 1)
        self.assertEqual(self.run_script({"main.sources": both}, "sources"), "")

    def test_one_line_entries_keep_their_options_but_the_architecture(self):
        text = ("# deb http://mirror.example/old bullseye main\n"
                "deb [arch=amd64 signed-by=/usr/share/keyrings/x.gpg] http://mirror.example/debian"
                " bookworm main non-free-firmware\n"
                "deb http://mirror.example/debian bookworm main\n"
                "deb [ arch=amd64 ] http://mirror.example/extra stable main  # trailing note\n")
        self.assertEqual(self.run_script({"sources.list": text}, "list"), (
            "deb-src [signed-by=/usr/share/keyrings/x.gpg] http://mirror.example/debian"
            " bookworm main non-free-firmware\n"
            "deb-src http://mirror.example/extra stable main\n"))

    def test_an_archive_in_both_formats_gets_one_entry(self):
        files = {"main.sources": MAIN, "old.list": "deb http://mirror.example/debian bookworm main\n"}
        self.assertEqual(self.run_script(files, "list"),
                         "deb-src http://mirror.example/debian bookworm main\n")
        self.assertIn("Suites: bookworm-updates\n", self.run_script(files, "sources"))

    def test_files_apt_does_not_read_and_the_written_ones_are_ignored(self):
        files = {"main.sources": MAIN,
                 "cloud.list.disabled": "deb http://mirror.example/cloud stable main\n",
                 "kvo-deb-src.sources": MAIN.replace("Types: deb\n", "Types: deb-src\n")}
        self.assertEqual(self.run_script(files, "list"), "")
        self.assertIn("Types: deb-src\nURIs: http://mirror.example/debian/\n",
                      self.run_script(files, "sources"))


if __name__ == "__main__":
    unittest.main()
