"""Sources and configurations that try to hurt: each is refused with one whole log line or
exported with its characters intact; nothing is read that the source does not hold."""

import os
import re
import shutil
import tempfile
import unittest

from kvo_e2e import CONFIG, Export, setup_xml

SETUP = setup_xml("COLLECTION", "Item")
# The log's date and time in the C locale, or in the locale KVO_LOG_LOCALE names (a Windows run).
DATES = {"": r"\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}",
         "de_DE.UTF-8": r"\d{2}\.\d{2}\.\d{4} \d{2}:\d{2}:\d{2}"}
DATE = DATES[os.environ.get("KVO_LOG_LOCALE", "")]
PARSE_ERROR = re.compile(rf"^{DATE} .*export\.xml could not be parsed: "
                         rf"(?P<reason>.*) on line \d+ at position \d+ {DATE}")


def item(number, description):
    return f'<Root_Element><Item number="{number}" revision="A" description="{description}"/>' \
           f'</Root_Element>'


class HostileInputs(unittest.TestCase):
    def export(self, source, **kw):
        x = Export(source, SETUP, **kw)
        self.addCleanup(x.close)
        return x

    def assertRefused(self, source, reason):
        """The export fails with exactly one parse-error line naming the reason."""
        x = self.export(source)
        self.assertEqual(x.returncode, 1)
        lines = x.log_lines()
        self.assertEqual(len(lines), 1, lines)
        m = PARSE_ERROR.match(lines[0])
        self.assertIsNotNone(m, lines[0])
        self.assertIn(reason, m.group("reason"))

    def test_external_entity_is_never_read(self):
        self.assertRefused('<?xml version="1.0"?><!DOCTYPE r [<!ENTITY x SYSTEM '
                           '"file:///etc/passwd">]>' + item("N&x;", "d"), "external entity")

    def test_entity_expansion_bomb_is_refused(self):
        entities = '<!ENTITY a "aaaaaaaaaa">' + "".join(
            f'<!ENTITY {chr(98 + i)} "{("&" + chr(97 + i) + ";") * 10}">' for i in range(9))
        self.assertRefused(f'<?xml version="1.0"?><!DOCTYPE r [{entities}]>' + item("&j;", "d"),
                           "entity")

    def test_ten_thousand_levels_are_refused_without_a_crash(self):
        self.assertRefused("<Root_Element>" + "<Item number='x'>" * 10000 + "</Item>" * 10000 +
                           "</Root_Element>", "depth")

    def test_bytes_invalid_in_the_declared_encoding_give_one_line(self):
        self.assertRefused(b'<?xml version="1.0" encoding="UTF-8"?><Root_Element>'
                           b'<Item number="N\xff\xfe1"/></Root_Element>', "not proper UTF-8")

    def test_declared_encodings_keep_their_characters(self):
        for encoding, description in (("ISO-8859-1", "Größe café µ"),
                                      ("windows-1252", "€ “quoted” – dash"),
                                      ("UTF-16", "日本 😀 ü")):
            with self.subTest(encoding=encoding):
                source = (f'<?xml version="1.0" encoding="{encoding}"?>' +
                          item("N1", description)).encode(encoding.replace("windows-", "cp"))
                x = self.export(source)
                self.assertEqual(x.returncode, 0, x.stderr)
                self.assertEqual(x.value("C6"), description)
                self.assertEqual(x.log_lines(), [])

    def test_megabyte_attribute_is_cut_and_the_cut_is_logged(self):
        x = self.export(item("N1", "x" * 1_000_000))
        self.assertEqual(x.returncode, 0, x.stderr)
        self.assertEqual(x.value("C6"), "x" * 32767)
        lines = x.log_lines()
        self.assertEqual(len(lines), 1, lines)
        self.assertTrue(lines[0].startswith("2 cell texts were cut to the 32,767 characters"),
                        lines[0])

    def test_folder_in_place_of_the_source_is_not_found(self):
        x = self.export(None)
        self.assertEqual(x.returncode, 1)
        lines = x.log_lines()
        self.assertEqual(len(lines), 1, lines)
        self.assertRegex(lines[0], rf"export\.xml was not found {DATE}")

    def config_with(self, old, new):
        """A copy of the bundled configuration with one text replaced."""
        with open(CONFIG, encoding="utf-8") as f:
            text = f.read()
        self.assertIn(old, text)
        folder = tempfile.mkdtemp(prefix="kvo-config-")
        self.addCleanup(shutil.rmtree, folder, True)
        path = os.path.join(folder, "config.xml")
        with open(path, "w", encoding="utf-8") as f:
            f.write(text.replace(old, new, 1))
        return path

    def test_order_that_is_no_number(self):
        # A word is no positive number: the entry is left out, as any entry without an order.
        x = self.export(item("N1", "d"), config=self.config_with('<REPORT_NAME ORDER="2">',
                                                                 '<REPORT_NAME ORDER="two">'))
        self.assertEqual(x.returncode, 0, x.stderr)
        self.assertNotIn("Report Name", [x.value(c + "1") for c in "ABCDE"])
        # A number past 32 bits is an overflow: the caption table fails with its lines.
        y = self.export(item("N1", "d"), config=self.config_with(
            '<REPORT_NAME ORDER="2">', '<REPORT_NAME ORDER="99999999999">'))
        self.assertEqual(y.returncode, 1)
        lines = y.log_lines()
        self.assertTrue(any(" Overflow 6 " in line and "[FillExcellCap]" in line
                            for line in lines), lines)

if __name__ == "__main__":
    unittest.main()
