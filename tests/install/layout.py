"""The files `cmake --install` puts under a prefix, shared by the install
and package tests. The directories come from the build (GNUInstallDirs)."""
import fnmatch


def expected(bindir, libdir, includedir, mandir, docdir):
    """The installed files as patterns relative to the prefix, one each. The
    settings file is in <prefix>/etc, except for the prefix /usr (in_deb)."""
    return [
        f"{bindir}/corvane",
        f"{bindir}/decklink-sim-png",
        f"{libdir}/corvane/libDeckLinkAPI.so",
        f"{includedir}/corvane/decklink_sim.h",
        f"{libdir}/cmake/corvane/corvaneConfig.cmake",
        f"{libdir}/cmake/corvane/corvaneConfigVersion.cmake",
        f"{libdir}/cmake/corvane/corvaneTargets.cmake",
        f"{libdir}/cmake/corvane/corvaneTargets-*.cmake",
        f"{mandir}/man1/corvane.1.gz",
        f"{mandir}/man1/decklink-sim-png.1.gz",
        f"{docdir}/README.md",
        f"{docdir}/copyright",
        f"{docdir}/changelog.Debian.gz",
        f"{docdir}/sim/README.md",
        f"{docdir}/examples/corvane_lines.py",
        f"{docdir}/examples/demo.py",
        f"{docdir}/examples/gray_ramp_client.py",
        f"{docdir}/examples/pgen_host.py",
        f"{docdir}/examples/resolve_host.py",
        "lib/systemd/system/corvane-pgen.service",
        "lib/systemd/system/corvane-resolve@.service",
        "etc/default/corvane",
    ]


def in_deb(patterns):
    """The same files as the .deb holds them, from its root: under usr/,
    but the settings file in /etc."""
    return [p if p.startswith("etc/") else "usr/" + p for p in patterns]


def problems(files, patterns):
    """What differs between installed `files` and `patterns`: a pattern that
    matches no file or several, and a file no pattern names."""
    found = []
    for pattern in patterns:
        matches = [f for f in files if fnmatch.fnmatchcase(f, pattern)]
        if len(matches) != 1:
            found.append(f"{pattern}: {len(matches)} files, expected 1")
    for f in files:
        if not any(fnmatch.fnmatchcase(f, pattern) for pattern in patterns):
            found.append(f"{f}: installed, but not in the layout")
    return found
