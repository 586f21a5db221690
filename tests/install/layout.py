"""The files `cmake --install` puts under a prefix, shared by the install
and package tests. The directories come from the build (GNUInstallDirs)."""
import fnmatch


def expected(bindir, libdir, includedir, mandir):
    """The installed files as patterns relative to the prefix, one each."""
    return [
        f"{bindir}/corvane",
        f"{bindir}/decklink-sim-png",
        f"{libdir}/corvane/libDeckLinkAPI.so",
        f"{includedir}/corvane/decklink_sim.h",
        f"{libdir}/cmake/corvane/corvaneConfig.cmake",
        f"{libdir}/cmake/corvane/corvaneConfigVersion.cmake",
        f"{libdir}/cmake/corvane/corvaneTargets.cmake",
        f"{libdir}/cmake/corvane/corvaneTargets-*.cmake",
        f"{mandir}/man1/corvane.1",
    ]


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
