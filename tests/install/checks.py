"""What the install and package tests share: the problems found so far,
running a command for its output, the install directories as options, and
the closing report."""
import subprocess

PROBLEMS = []


def check(condition, what):
    """Records `what` as a problem unless `condition` holds; returns it."""
    if not condition:
        PROBLEMS.append(what)
    return condition


def run(command, **options):
    """The command's completed process, standard error in its output."""
    return subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                          **options)


def add_install_dirs(parser):
    """The GNUInstallDirs folders the build installs to, as options."""
    for option in ("bindir", "libdir", "includedir", "mandir", "docdir"):
        parser.add_argument("--" + option, required=True)


def report(what):
    """Prints the problems and a closing line; the exit status."""
    for problem in PROBLEMS:
        print(problem)
    print(f"{what}: " + ("ok" if not PROBLEMS else f"{len(PROBLEMS)} problems"))
    return 1 if PROBLEMS else 0
