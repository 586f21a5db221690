#!/usr/bin/env python3
"""Checks that every include in src/ points down the layers, that nothing
outside src/decklink/ includes the held card's writable internals, and that
the simulated card uses nothing of the program but the DeckLink
declarations.

    python3 tests/layers_test.py [repository root]

Exit status 1, with one line per wrong include, when one points the wrong
way.
"""
import os
import re
import sys

# What each layer of src/ may include, besides itself.
MAY_USE = {
    "decklink": set(),
    "io": set(),
    "render": {"decklink"},
    "serve": {"io", "render", "decklink"},
    "console": {"io", "render", "decklink"},
    "net": {"io", "render", "decklink"},
    "app": {"serve", "console", "net", "io", "render", "decklink"},
}
# Painting reads the held card; opening, closing, switching it and its
# signalling are not its business.
NOT_IN = {"render": {"decklink/device_hold.h"}}
# The held card's variables as they are written: the device layer's alone.
DECKLINK_ONLY = {"decklink/held_card_writable.h"}
# Beside the program, where only the device layer's internals are barred.
BESIDE = ["tests", "bench", "fuzz"]
# The one program header the simulated card implements.
SIM_MAY_USE = {"decklink/decklink_api.h", "decklink/decklink_input_api.h"}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def includes(path):
    with open(path, encoding="utf-8") as source:
        for number, line in enumerate(source, 1):
            match = INCLUDE.match(line)
            if match:
                yield number, match.group(1)


def sources(top):
    for folder, _, files in os.walk(top):
        for name in sorted(files):
            if name.endswith((".h", ".cpp")):
                yield os.path.join(folder, name)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    src = os.path.join(root, "src")
    wrong = []
    for path in sources(src):
        layer = os.path.relpath(path, src).split(os.sep)[0]
        if layer not in MAY_USE:
            wrong.append("%s: folder '%s' is no known layer" % (path, layer))
            continue
        for number, target in includes(path):
            target_layer = target.split("/")[0]
            if target_layer != layer and target_layer not in MAY_USE[layer]:
                wrong.append("%s:%d: %s may not include %s" % (path, number, layer, target))
            if target in NOT_IN.get(layer, set()):
                wrong.append("%s:%d: %s may not include %s" % (path, number, layer, target))
    for folder in ["src"] + BESIDE:
        for path in sources(os.path.join(root, folder)):
            if os.path.relpath(path, src).split(os.sep)[0] == "decklink":
                continue
            for number, target in includes(path):
                if target in DECKLINK_ONLY:
                    wrong.append("%s:%d: only decklink/ may include %s" % (path, number, target))
    sim = os.path.join(root, "sim")
    for path in sources(sim):
        for number, target in includes(path):
            first = target.split("/")[0]
            if first in MAY_USE and target not in SIM_MAY_USE:
                wrong.append("%s:%d: the simulated card may not include %s" % (path, number, target))
    for line in wrong:
        print(line)
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
