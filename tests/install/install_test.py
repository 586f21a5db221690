#!/usr/bin/env python3
"""`cmake --install` into a temporary prefix, and what a host developer does
with it: the layout; no run path from corvane to the simulated card; the
installed corvane against the installed card (list, and a serve session
whose frame the installed PNG tool converts); and a tiny host project that
finds the install with find_package(corvane) and runs its own test.

    install_test.py --build DIR --cmake CMAKE --ctest CTEST --readelf READELF
        --host-project DIR --bindir D --libdir D --includedir D --mandir D --docdir D
        [--host-cmake-arg=-DNAME=VALUE ...]

Exit status 1, with a line per problem, when something is not as it should.
"""
import argparse
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import layout  # noqa: E402
from checks import PROBLEMS, add_install_dirs, check, report, run  # noqa: E402


def installed_files(prefix):
    files = []
    for root, _, names in os.walk(prefix):
        for name in names:
            files.append(os.path.relpath(os.path.join(root, name), prefix))
    return sorted(files)


def dynamic_section(readelf, path):
    return run([readelf, "-d", path]).stdout


def card_environment(scratch, sim_api, devices):
    environment = dict(os.environ)
    environment.update({
        "CORVANE_DECKLINK_API": sim_api,
        "DECKLINK_SIM_DEVICES": devices,
        "DECKLINK_SIM_CONFIG": "",
        "DECKLINK_SIM_LOG": "",
        "DECKLINK_SIM_CAPTURE": os.path.join(scratch, "frames"),
        "DECKLINK_SIM_HOLD_DIR": os.path.join(scratch, "hold"),
    })
    return environment


def check_binaries(args, prefix):
    corvane = os.path.join(prefix, args.bindir, "corvane")
    png_tool = os.path.join(prefix, args.bindir, "decklink-sim-png")
    for path in (corvane, png_tool):
        section = dynamic_section(args.readelf, path)
        check("RPATH" not in section and "RUNPATH" not in section,
              f"{path} carries a run path:\n{section}")
        check("libDeckLinkAPI" not in section, f"{path} links the DeckLink API")
    check("libpng" in dynamic_section(args.readelf, png_tool), "the PNG tool does not need libpng")


def check_program_and_card(args, prefix, scratch):
    corvane = os.path.join(prefix, args.bindir, "corvane")
    sim_api = os.path.join(prefix, args.libdir, "corvane", "libDeckLinkAPI.so")
    environment = card_environment(scratch, sim_api, "Installed card=hd uhd")

    listing = run([corvane, "list"], env=environment)
    check(listing.returncode == 0 and "Installed card" in listing.stdout,
          f"installed corvane list did not find the installed card:\n{listing.stdout}")

    requests = ('{"cmd":"open","device":0,"mode":"uhd"}\n'
                '{"cmd":"patch","r":940,"g":940,"b":940,"area":10}\n'
                '{"cmd":"quit"}\n')
    serve = run([corvane, "serve"], env=environment, input=requests)
    answers = serve.stdout.splitlines()
    check(serve.returncode == 0 and answers[:3] == [
        '{"ok":true,"ready":true}', '{"ok":true,"width":3840,"height":2160}',
        '{"ok":true,"x":1313,"y":738,"w":1214,"h":683}'], f"serve session:\n{serve.stdout}")

    frames_dir = os.path.join(scratch, "frames")
    frames = sorted(os.listdir(frames_dir)) if os.path.isdir(frames_dir) else []
    if not check(len(frames) == 1, f"expected one captured frame, found {frames}"):
        return
    picture = os.path.join(scratch, "frame.png")
    converted = run([os.path.join(prefix, args.bindir, "decklink-sim-png"),
                     os.path.join(frames_dir, frames[0]), picture])
    check(converted.returncode == 0, f"the installed PNG tool failed:\n{converted.stdout}")
    if os.path.exists(picture):
        with open(picture, "rb") as f:
            head = f.read(26)
        # The signature, then IHDR: width, height, bit depth 16, colour type 2 (RGB).
        check(head[:8] == b"\x89PNG\r\n\x1a\n" and head[16:24] == (3840).to_bytes(4, "big") +
              (2160).to_bytes(4, "big") and head[24:26] == b"\x10\x02",
              f"not a 16-bit RGB PNG of 3840x2160: {head!r}")


def check_host_project(args, prefix, scratch):
    source = os.path.join(scratch, "host")
    build = os.path.join(scratch, "host-build")
    shutil.copytree(args.host_project, source)
    configured = run([args.cmake, "-S", source, "-B", build, f"-DCMAKE_PREFIX_PATH={prefix}"] +
                     args.host_cmake_arg)
    if not check(configured.returncode == 0, f"host project configure:\n{configured.stdout}"):
        return
    built = run([args.cmake, "--build", build])
    if not check(built.returncode == 0, f"host project build:\n{built.stdout}"):
        return
    tested = run([args.ctest, "--test-dir", build, "--output-on-failure"])
    check(tested.returncode == 0 and "100% tests passed" in tested.stdout,
          f"host project test:\n{tested.stdout}")


def main():
    parser = argparse.ArgumentParser()
    for option in ("build", "cmake", "ctest", "readelf", "host-project"):
        parser.add_argument("--" + option, required=True)
    add_install_dirs(parser)
    parser.add_argument("--host-cmake-arg", action="append", default=[])
    args = parser.parse_args()

    scratch = tempfile.mkdtemp(prefix="corvane-install-test-")
    try:
        prefix = os.path.join(scratch, "prefix")
        installed = run([args.cmake, "--install", args.build, "--prefix", prefix])
        if not check(installed.returncode == 0, f"cmake --install:\n{installed.stdout}"):
            return report("install")
        PROBLEMS.extend(layout.problems(
            installed_files(prefix),
            layout.expected(args.bindir, args.libdir, args.includedir, args.mandir,
                            args.docdir)))
        check_binaries(args, prefix)
        check_program_and_card(args, prefix, scratch)
        check_host_project(args, prefix, scratch)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    return report("install")


if __name__ == "__main__":
    sys.exit(main())
