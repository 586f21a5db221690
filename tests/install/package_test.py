#!/usr/bin/env python3
"""cpack makes the .deb and the .tar.gz into a temporary directory; each
holds exactly the installed layout (the .deb under /usr), and the .deb
names the package, its version and the libraries it needs.

    package_test.py --build DIR --cpack CPACK --version V
        --bindir D --libdir D --includedir D --mandir D

Exit status 1, with a line per problem, when something is not as it should.
"""
import argparse
import glob
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import layout  # noqa: E402
from checks import PROBLEMS, add_install_dirs, check, report, run  # noqa: E402


def files_of(listing, column, strip):
    """The regular files of a `tar tv`-style listing, relative to `strip`."""
    files = []
    for line in listing.splitlines():
        fields = line.split()
        if not fields or (column is not None and fields[0].startswith("d")):
            continue
        path = fields[column] if column is not None else line.strip()
        if path.endswith("/"):
            continue
        if path.startswith(strip):
            files.append(path[len(strip):])
        else:
            PROBLEMS.append(f"{path}: outside {strip}")
    return sorted(files)


def check_deb(deb, expected, version):
    contents = run(["dpkg-deb", "-c", deb])
    check(contents.returncode == 0, f"dpkg-deb -c failed:\n{contents.stdout}")
    PROBLEMS.extend("deb: " + p for p in layout.problems(files_of(contents.stdout, 5, "./usr/"),
                                                        expected))
    fields = run(["dpkg-deb", "-f", deb, "Package", "Version", "Depends"]).stdout
    check("Package: corvane\n" in fields, f"deb package name:\n{fields}")
    check(f"Version: {version}\n" in fields, f"deb version is not {version}:\n{fields}")
    for library in ("libexpat1", "libpng16-16", "libstdc++6", "libc6"):
        check(library in fields, f"deb does not depend on {library}:\n{fields}")


def check_tgz(tgz, expected, version):
    top = f"corvane-{version}-"
    check(os.path.basename(tgz).startswith(top), f"{tgz}: not named {top}<system>.tar.gz")
    contents = run(["tar", "tzf", tgz])
    check(contents.returncode == 0, f"tar tzf failed:\n{contents.stdout}")
    root = os.path.basename(tgz)[:-len(".tar.gz")] + "/"
    PROBLEMS.extend("tgz: " + p for p in layout.problems(files_of(contents.stdout, None, root),
                                                        expected))


def main():
    parser = argparse.ArgumentParser()
    for option in ("build", "cpack", "version"):
        parser.add_argument("--" + option, required=True)
    add_install_dirs(parser)
    args = parser.parse_args()
    expected = layout.expected(args.bindir, args.libdir, args.includedir, args.mandir)

    scratch = tempfile.mkdtemp(prefix="corvane-package-test-")
    try:
        made = run([args.cpack, "--config", os.path.join(args.build, "CPackConfig.cmake"),
                       "-G", "DEB;TGZ", "-B", scratch])
        if check(made.returncode == 0, f"cpack failed:\n{made.stdout}"):
            debs = glob.glob(os.path.join(scratch, "*.deb"))
            tgzs = glob.glob(os.path.join(scratch, "*.tar.gz"))
            check(len(debs) == 1 and len(tgzs) == 1, f"packages made: {debs + tgzs}")
            if debs:
                arch = run(["dpkg", "--print-architecture"]).stdout.strip()
                check(os.path.basename(debs[0]) == f"corvane_{args.version}_{arch}.deb",
                      f"{debs[0]}: not named corvane_{args.version}_{arch}.deb")
                check_deb(debs[0], expected, args.version)
            if tgzs:
                check_tgz(tgzs[0], expected, args.version)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    return report("packages")


if __name__ == "__main__":
    sys.exit(main())
