"""Every bundled example exports to the sheet recorded in tests/e2e/expected.

The records were written by sheet_snapshot.py; a change that alters what a reader sees in any
example shows up here section by section (values, looks, merges, names, links, dimensions, page).
"""

import json
import os
import unittest

from sheet_snapshot import CASES, SOURCE_DIR, snapshot_case

EXPECTED = os.path.join(SOURCE_DIR, "tests", "e2e", "expected")


def differences(expected, actual, path=""):
    """Readable lines naming every key whose value differs."""
    if isinstance(expected, dict) and isinstance(actual, dict):
        out = []
        for key in sorted(set(expected) | set(actual)):
            if key not in actual:
                out.append(f"{path}{key}: missing (expected {expected[key]!r})")
            elif key not in expected:
                out.append(f"{path}{key}: unexpected {actual[key]!r}")
            else:
                out += differences(expected[key], actual[key], f"{path}{key}.")
        return out
    return [] if expected == actual else [f"{path[:-1]}: {actual!r} (expected {expected!r})"]


class ExamplesMatchRecordedSheets(unittest.TestCase):
    def test_every_example(self):
        for name, source, setup in CASES:
            with self.subTest(example=name):
                with open(os.path.join(EXPECTED, name + ".json"), encoding="utf-8") as f:
                    expected = json.load(f)
                # JSON keeps lists where the snapshot has them and turns tuples into lists.
                actual = json.loads(json.dumps(snapshot_case(source, setup)))
                diff = differences(expected, actual)
                self.assertEqual(diff, [], f"{name}: {len(diff)} differences:\n" +
                                 "\n".join(diff[:40]))


if __name__ == "__main__":
    unittest.main()
