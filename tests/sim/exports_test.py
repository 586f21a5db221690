#!/usr/bin/env python3
"""Checks the list of exported names that Apple's linker is given for the
simulated card (made by sim/CMakeLists.txt from sim/exports.map) against
what the Linux library, linked with the map, really exports: each exported
name matches an entry of the list (with the leading underscore of Mach-O
names), each entry matches an exported name, and every function that
decklink_sim.h declares is exported. So the one list of names serves both
linkers, and an entry that names nothing fails here rather than on a Mac.

    exports_test.py EXPORTED_SYMBOLS_LIST LIBRARY NM DECKLINK_SIM_H
"""
import fnmatch
import re
import subprocess
import sys


def main(list_path, library, nm, header):
    with open(list_path) as f:
        patterns = [line.strip() for line in f if line.strip() and not line.startswith("#")]
    listing = subprocess.run([nm, "-D", "--defined-only", library], check=True,
                             stdout=subprocess.PIPE, text=True).stdout
    exported = ["_" + line.split()[-1] for line in listing.splitlines() if line.split()]
    with open(header) as f:
        declared = set(re.findall(r"\b(decklink_sim_\w+)\s*\(", f.read()))

    problems = []
    if not patterns:
        problems.append("the list names nothing")
    for pattern in patterns:
        if not pattern.startswith("_"):
            problems.append(f"{pattern}: a Mach-O name starts with an underscore")
        if not any(fnmatch.fnmatchcase(name, pattern) for name in exported):
            problems.append(f"{pattern}: names nothing the library exports")
    for name in exported:
        if not any(fnmatch.fnmatchcase(name, pattern) for pattern in patterns):
            problems.append(f"{name}: exported, but not in the list")
    for function in sorted(declared):
        if "_" + function not in exported:
            problems.append(f"{function}: declared in decklink_sim.h, not exported")
    for entry_point in ("CreateDeckLinkIteratorInstance_0004",
                        "CreateDeckLinkAPIInformationInstance_0001"):
        if "_" + entry_point not in exported:
            problems.append(f"the entry point {entry_point} is not exported")

    for problem in problems:
        print(problem)
    print(f"{len(patterns)} list entries, {len(exported)} exported names, "
          f"{len(declared)} functions declared")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:5]))
