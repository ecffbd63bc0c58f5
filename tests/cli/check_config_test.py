"""The configuration check against the run itself: the bundled configuration broken in one place
at a time (an element removed, a FIELD dropped, an ORDER too large for a whole number, MESSAGES
emptied), and a bundled example of every kind and space type exported with it.  Given that
export's setup, the check must fail (exit 1) exactly when the export fails; without a setup,
exactly when one of the exports fails."""

import os
import shutil
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ET
from concurrent.futures import ThreadPoolExecutor

from sheet_snapshot import CASES, CLI, EXAMPLES

CONFIG = os.path.join(EXAMPLES, "config.xml")


def mutations():
    """(name, configuration text) for every place the bundled configuration is broken in."""
    def path(element, parents):
        names = []
        while element in parents:
            names.append(element.tag)
            element = parents[element]
        return "/".join(reversed(names))

    tree = ET.parse(CONFIG)
    parents = {c: p for p in tree.iter() for c in p}
    places = [path(e, parents) for e in tree.getroot().iter() if e in parents]
    for place in places:
        for kind in ("remove", "field", "order"):
            tree = ET.parse(CONFIG)
            root = tree.getroot()
            element = root.find(place)
            parent = root.find(place.rsplit("/", 1)[0]) if "/" in place else root
            siblings = [c for c in parent if "ORDER" in c.attrib]
            first_ordered = siblings and siblings[0] is element
            if kind == "remove":
                # Of a list, only its first entry: the others behave alike.
                if len(element) == 0 and "ORDER" in element.attrib and not first_ordered:
                    continue
                parent.remove(element)
            elif kind == "field" and "FIELD" in element.attrib and first_ordered:
                del element.attrib["FIELD"]
            elif kind == "order" and first_ordered:
                element.set("ORDER", "99999999999")
            else:
                continue
            yield f"{kind} {place}", ET.tostring(root, encoding="unicode")
    tree = ET.parse(CONFIG)
    tree.getroot().find("MESSAGES").clear()
    yield "empty MESSAGES", ET.tostring(tree.getroot(), encoding="unicode")


def distinct_cases():
    """One bundled example per object kind and space type."""
    seen, cases = set(), []
    for case in CASES:
        setup = ET.parse(os.path.join(EXAMPLES, "setup", case[2])).getroot()
        kind = (setup.findtext("SPACE_TYPE"), setup.findtext("OBJECT_TYPE"))
        if kind not in seen:
            seen.add(kind)
            cases.append(case)
    return cases


def check(config, setup_arg=None):
    args = [CLI, "--check-config", config] + ([setup_arg] if setup_arg else [])
    run = subprocess.run(args, capture_output=True, text=True, timeout=120)
    return run.returncode, run.stdout


def without_setup(config_text):
    """Exit status and report of the check of one configuration for every export."""
    with tempfile.NamedTemporaryFile("w", suffix=".xml", encoding="utf-8") as f:
        f.write(config_text)
        f.flush()
        return check(f.name)


def outcome(config_text, case):
    """(export's exit status, check's exit status, report) of one case with one configuration."""
    _, source, setup = case
    folder = tempfile.mkdtemp(prefix="kvo-check-")
    try:
        os.makedirs(os.path.join(folder, "ORVELD", "Addin Modules", "Stackwright", "Export"))
        shutil.copy(os.path.join(EXAMPLES, source), folder)
        config = os.path.join(folder, "config.xml")
        with open(config, "w", encoding="utf-8") as f:
            f.write(config_text)
        env = dict(os.environ, APPDATA=folder, LC_ALL="C")
        setup_arg = "@" + os.path.join(EXAMPLES, "setup", setup)
        export = subprocess.run([CLI, os.path.join(folder, source), config, setup_arg, ".xlsx"],
                                env=env, capture_output=True, text=True, timeout=120)
        return (export.returncode,) + check(config, setup_arg)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


class CheckAgreesWithTheRun(unittest.TestCase):
    def test_every_broken_place_in_every_export(self):
        broken = list(mutations())
        cases = distinct_cases()
        self.assertEqual(len(cases), 6)
        jobs = [(name, text, case) for name, text in broken for case in cases]
        with ThreadPoolExecutor(max_workers=2) as pool:
            results = list(pool.map(lambda job: outcome(job[1], job[2]), jobs))
            overall = dict(zip((name for name, _ in broken),
                               pool.map(lambda m: without_setup(m[1]), broken)))
        fails = {}
        for (name, _, case), (export_rc, check_rc, report) in zip(jobs, results):
            fails[name] = fails.get(name, False) or export_rc == 1
            with self.subTest(mutation=name, case=case[0]):
                self.assertIn(export_rc, (0, 1))
                self.assertEqual(check_rc, export_rc, report)
        for name, (check_rc, report) in overall.items():
            with self.subTest(mutation=name, case="every export"):
                self.assertEqual(check_rc, 1 if fails[name] else 0, report)
        # Both verdicts occur: the broken places are not all harmless, nor all fatal.
        self.assertTrue(any(fails.values()) and not all(fails.values()))


if __name__ == "__main__":
    unittest.main()
