#!/usr/bin/env python3
"""Checks the manual page doc/corvane.1: it renders without a warning at
the widths of narrow, common and wide terminals; its SYNOPSIS has exactly
the command lines of the program's usage text (what `corvane` prints with
no arguments), so the two cannot drift apart; and EXIT STATUS has an entry
for each command. Without --corvane (doc/decklink-sim-png.1), only that
the page renders without a warning and has the sections every page has.

    man_page_test.py --man doc/corvane.1 --corvane build/corvane --groff groff
    man_page_test.py --man doc/decklink-sim-png.1 --groff groff

Exit status 1, with a line per problem, when something is not as it should.
"""
import argparse
import os
import re
import subprocess
import sys

WIDTHS = (50, 80, 120)
SECTIONS = ("NAME", "SYNOPSIS", "DESCRIPTION", "COMMANDS", "CONSOLE COMMANDS", "SERVE PROTOCOL",
            "RESOLVE TARGET", "PGENERATOR SERVER", "HDR SIGNALLING", "EXIT STATUS", "ENVIRONMENT",
            "FILES", "SEE ALSO")
EVERY_PAGE = ("NAME", "SYNOPSIS", "DESCRIPTION", "EXIT STATUS", "SEE ALSO")


def normalise(line):
    """One command form: hyphen and minus signs as '-', single spaces."""
    for dash in ("\u2010", "\u2011", "\u2212"):
        line = line.replace(dash, "-")
    return " ".join(line.split())


def render(groff, page, width):
    environment = dict(os.environ, GROFF_NO_SGR="1")
    result = subprocess.run([groff, "-man", "-Tutf8", "-ww", f"-rLL={width}n", page],
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                            env=environment)
    # Bold and underline are overstruck characters: keep the last of each.
    return result, re.sub(".\b", "", result.stdout)


def sections(text):
    """The rendered page as {heading: [lines]}; headings start in column 0."""
    found = {}
    current = None
    for line in text.splitlines():
        if line and not line[0].isspace() and line.strip() in SECTIONS:
            current = line.strip()
            found[current] = []
        elif current is not None:
            found[current].append(line)
    return found


def usage_forms(corvane):
    """The command forms of the usage text, without the notes in parentheses."""
    result = subprocess.run([corvane], stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            text=True)
    forms = []
    for line in result.stdout.splitlines():
        line = line.strip()
        if line.startswith("usage:"):
            line = line[len("usage:"):].strip()
        line = re.sub(r"\s*\([^)]*\)\s*$", "", line)
        if line.startswith("corvane "):
            forms.append(normalise(line))
        elif line.startswith("[") and forms:
            # A form too long for one line goes on in the next.
            forms[-1] = normalise(forms[-1] + " " + line)
    return result.returncode, forms


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--man", required=True)
    parser.add_argument("--corvane")
    parser.add_argument("--groff", required=True)
    args = parser.parse_args()
    problems = []

    text = ""
    for width in WIDTHS:
        result, text = render(args.groff, args.man, width)
        if result.returncode != 0 or result.stderr:
            problems.append(f"at {width} columns: status {result.returncode}\n{result.stderr}")

    page = sections(text)
    if args.corvane is None:
        problems.extend(f"no {heading} section" for heading in EVERY_PAGE if heading not in page)
        for problem in problems:
            print(problem)
        print(f"{args.man}: " + ("ok" if not problems else f"{len(problems)} problems"))
        return 1 if problems else 0
    for heading in SECTIONS:
        if heading not in page:
            problems.append(f"no {heading} section")

    status, usage = usage_forms(args.corvane)
    if status != 1 or not usage:
        problems.append(f"corvane without arguments: status {status}, usage {usage}")
    synopsis = [normalise(line) for line in page.get("SYNOPSIS", []) if line.strip()]
    for form in usage:
        if form not in synopsis:
            problems.append(f"usage line missing from SYNOPSIS: {form}")
    for form in synopsis:
        if form not in usage:
            problems.append(f"SYNOPSIS line that the usage text lacks: {form}")

    exit_status = [normalise(line) for line in page.get("EXIT STATUS", [])]
    for form in usage:
        command = " ".join(form.split()[:2])
        if command not in exit_status:
            problems.append(f"no EXIT STATUS entry for {command}")
    if not any("CORVANE_DECKLINK_API" in line for line in page.get("ENVIRONMENT", [])):
        problems.append("ENVIRONMENT does not name CORVANE_DECKLINK_API")

    for problem in problems:
        print(problem)
    print(f"man page: {len(usage)} commands, " + ("ok" if not problems else
                                                   f"{len(problems)} problems"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
