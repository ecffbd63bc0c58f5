"""Fails when a source file includes a layer above its own.

Layers, lowest first: platform (what differs between systems), model, config, parse, workbook,
entry, com (the Windows automation server), lib (the shared library's own files), cli. A file may include its own layer and those
below it. The command line is a host of the shared library: besides the public headers it
includes only its own folder.
"""

import os
import re
import sys

LAYERS = ["platform", "model", "config", "parse", "workbook", "entry", "com", "lib", "cli"]
HOSTS = ["cli"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/', re.MULTILINE)


def upward_includes(src):
    found = []
    for layer in LAYERS:
        for folder, _, files in os.walk(os.path.join(src, layer)):
            for name in files:
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(folder, name)
                with open(path, encoding="utf-8") as f:
                    for target in INCLUDE.findall(f.read()):
                        if target in LAYERS and LAYERS.index(target) > LAYERS.index(layer):
                            found.append(f"{os.path.relpath(path, src)} includes {target}/")
                        elif layer in HOSTS and target != layer:
                            found.append(f"{os.path.relpath(path, src)} (a host) includes {target}/")
    return found


if __name__ == "__main__":
    problems = upward_includes(sys.argv[1])
    for line in problems:
        print(line)
    sys.exit(1 if problems else 0)
