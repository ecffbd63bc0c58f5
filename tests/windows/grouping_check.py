"""Reference designators grouped through the machine's grouping component when one is registered
as drngrp.IclsGroup, through the built-in grouper otherwise: items-structure exported by
ParseMain from a script host (KVO_CLI: tests/windows/wine-vbs-host) with the stand-in component
(tests/windows/automation/GroupStandIn.cpp) registered, registered but gone, and unregistered.

    grouping_check.py STAND_IN_DLL
Environment: as wine-vbs-host, and KVO_ENV_RUN (regsvr32 of the DLL's architecture).
"""

import glob
import os
import shutil
import subprocess
import sys
import tempfile

import openpyxl

from sheet_snapshot import run_export

SCRIPTS = os.path.join(os.path.dirname(__file__), "..", "..", "scripts")
BUILT_IN = "R1-R4,R10"


def regsvr32(dll, *flags):
    windows_dll = "Z:" + os.path.abspath(dll).replace("/", "\\")
    subprocess.run([os.path.join(SCRIPTS, "wine-env"), "--prefix", os.environ["WINE_PREFIX_DIR"],
                    "--", "wine", os.environ["KVO_ENV_RUN"], "--",
                    "C:\\windows\\system32\\regsvr32.exe", "/s", *flags, windows_dll],
                   check=True, timeout=120)


def export():
    """The texts of every cell of the exported workbook and the lines of its log."""
    folder, workbook = run_export("items-structure.xml", "items-structure.xml")
    try:
        texts = set()
        for sheet in openpyxl.load_workbook(workbook).worksheets:
            for row in sheet.iter_rows(values_only=True):
                texts.update(str(v) for v in row if v is not None)
        log = []
        for path in glob.glob(os.path.join(folder, "ORVELD", "**", "*.log"), recursive=True):
            with open(path, encoding="utf-8", errors="replace") as f:
                log += f.read().splitlines()
        return texts, log
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main(stand_in):
    failures = []
    work = tempfile.mkdtemp(prefix="kvo-grouping-")
    dll = os.path.join(work, "drngrp_standin.dll")
    shutil.copy(stand_in, dll)
    try:
        texts, _ = export()
        if BUILT_IN not in texts:
            failures.append(f"without a component: no cell {BUILT_IN!r}")

        regsvr32(dll)
        texts, _ = export()
        grouped = [t for t in texts if t.startswith("standin,")]
        if grouped != ["standin,R1+R2+R3+R4+R10"] and not any(
                sorted(t[len("standin,"):].split("+")) == sorted(["R1", "R2", "R3", "R4", "R10"])
                for t in grouped):
            failures.append(f"with the component: designator cells {sorted(grouped)}")
        if BUILT_IN in texts:
            failures.append("with the component: the built-in grouping still shows")

        # Registered, but its DLL is gone: the lines log it and keep no designators.
        os.rename(dll, dll + ".away")
        texts, log = export()
        os.rename(dll + ".away", dll)
        if any(t.startswith("standin,") or t == BUILT_IN for t in texts):
            failures.append("component gone: designators still grouped")
        if not any("drngrp.IclsGroup" in line for line in log):
            failures.append("component gone: no log line names drngrp.IclsGroup")

        regsvr32(dll, "/u")
        texts, _ = export()
        if BUILT_IN not in texts or any(t.startswith("standin,") for t in texts):
            failures.append("unregistered: the built-in grouping does not come back")
    finally:
        # Never leave the stand-in registered for the tests that follow.
        if os.path.exists(dll + ".away"):
            os.rename(dll + ".away", dll)
        try:
            regsvr32(dll, "/u")
        except subprocess.CalledProcessError:
            failures.append("the stand-in cannot be unregistered")
        shutil.rmtree(work, ignore_errors=True)
    for line in failures:
        print("FAIL " + line)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
