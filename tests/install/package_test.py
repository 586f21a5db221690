#!/usr/bin/env python3
"""cpack makes the .deb and the .tar.gz into a temporary directory; each
holds exactly the installed layout (the .deb under /usr, its settings file
in /etc), and the .deb names the package, its version, the hosts it works
with and the libraries it needs. The .deb, unpacked (never installed), has
/etc/default/corvane as its conffile, no maintainer script that enables or
starts a service but a prerm that stops and disables them, units that
`systemd-analyze verify` accepts (where that tool exists), that restart
without a limit, count 129 and 131 as clean ends and exclude each other,
and a settings file that sets every variable the units use.

    package_test.py --build DIR --cpack CPACK --version V
        --bindir D --libdir D --includedir D --mandir D --docdir D

Exit status 1, with a line per problem, when something is not as it should.
"""
import argparse
import glob
import os
import re
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
    PROBLEMS.extend("deb: " + p for p in layout.problems(files_of(contents.stdout, 5, "./"),
                                                        layout.in_deb(expected)))
    fields = run(["dpkg-deb", "-f", deb, "Package", "Version", "Depends", "Description"]).stdout
    check("Package: corvane\n" in fields, f"deb package name:\n{fields}")
    check(f"Version: {version}-1\n" in fields, f"deb version is not {version}-1:\n{fields}")
    for library in ("libexpat1", "libpng16-16", "libstdc++6", "libc6"):
        check(library in fields, f"deb does not depend on {library}:\n{fields}")
    for host in ("DisplayCAL", "Resolve protocol", "HCFR", "pgen_client"):
        check(host in fields, f"deb description does not name {host}:\n{fields}")


def check_unpacked_deb(deb, scratch):
    root, control = os.path.join(scratch, "root"), os.path.join(scratch, "control")
    if not check(run(["dpkg-deb", "-x", deb, root]).returncode == 0 and
                 run(["dpkg-deb", "-e", deb, control]).returncode == 0, "dpkg-deb -x/-e failed"):
        return
    with open(os.path.join(control, "conffiles")) as f:
        check(f.read() == "/etc/default/corvane\n", "conffiles is not /etc/default/corvane")
    for script in ("preinst", "postinst", "prerm", "postrm"):
        path = os.path.join(control, script)
        if os.path.exists(path):
            with open(path) as f:
                text = f.read()
            check(not re.search(r"\benable\b|systemctl start|--now|deb-systemd|invoke-rc\.d", text),
                  f"{script} enables or starts a service:\n{text}")
    prerm = os.path.join(control, "prerm")
    stops = os.access(prerm, os.X_OK) and open(prerm).read()
    check(stops and "systemctl stop corvane-pgen.service 'corvane-resolve@*.service'" in stops and
          "systemctl disable corvane-pgen.service" in stops, "no prerm that stops and disables")
    units = os.path.join(root, "usr/lib/systemd/system")
    used = set()
    for name in ("corvane-pgen.service", "corvane-resolve@.service"):
        with open(os.path.join(units, name)) as f:
            text = f.read()
        used |= set(re.findall(r"\$\{?(CORVANE_\w+)", text))
        for line in ("EnvironmentFile=-/etc/default/corvane", "DynamicUser=yes",
                     "Restart=on-failure", "SuccessExitStatus=130 129 131",
                     "StartLimitIntervalSec=0", "StandardOutput=journal"):
            check(line + "\n" in text, f"{name} lacks {line}")
    with open(os.path.join(units, "corvane-resolve@.service")) as f:
        check("Conflicts=corvane-pgen.service\n" in f.read(), "the two units do not exclude")
    with open(os.path.join(root, "etc/default/corvane")) as f:
        settings = set(re.findall(r"^(CORVANE_\w+)=", f.read(), re.M))
    check(used == {"CORVANE_DEVICE", "CORVANE_MODE", "CORVANE_LISTEN", "CORVANE_SIGNALLING"} and
          settings == used, f"the units use {sorted(used)}, the settings file sets {sorted(settings)}")
    verify_units(root, units, scratch)


def verify_units(root, units, scratch):
    """systemd-analyze verify on copies of the units that start the unpacked
    corvane (it checks that the program exists), the template as an
    instance."""
    analyze = shutil.which("systemd-analyze")
    if analyze is None:
        print("systemd-analyze not found: the units are not verified")
        return
    copies = os.path.join(scratch, "units")
    os.makedirs(copies)
    for name in os.listdir(units):
        with open(os.path.join(units, name)) as f:
            text = f.read().replace("/usr/bin/corvane", os.path.join(root, "usr/bin/corvane"))
        with open(os.path.join(copies, name), "w") as f:
            f.write(text)
    instance = os.path.join(copies, "corvane-resolve@127.0.0.1.service")
    os.symlink("corvane-resolve@.service", instance)
    verified = run([analyze, "verify", "--man=no", os.path.join(copies, "corvane-pgen.service"),
                    instance])
    check(verified.returncode == 0 and not verified.stdout.strip(),
          f"systemd-analyze verify:\n{verified.stdout}")


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
    expected = layout.expected(args.bindir, args.libdir, args.includedir, args.mandir,
                               args.docdir)

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
                check(os.path.basename(debs[0]) == f"corvane_{args.version}-1_{arch}.deb",
                      f"{debs[0]}: not named corvane_{args.version}-1_{arch}.deb")
                check_deb(debs[0], expected, args.version)
                check_unpacked_deb(debs[0], scratch)
            if tgzs:
                check_tgz(tgzs[0], expected, args.version)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    return report("packages")


if __name__ == "__main__":
    sys.exit(main())
