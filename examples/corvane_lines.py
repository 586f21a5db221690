"""corvane started by an example host, its lines shown as they come.

A thread reads corvane's standard output and prints each line at once,
labelled "corvane:", while the host prints its own lines labelled "host:",
so the two read as one session in the order things happened. The host
waits for a line of corvane's with `wait_for`. Standard library only.
"""
import queue
import subprocess
import sys
import threading

_PRINTING = threading.Lock()


def say(who, text):
    """Prints one labelled line at once, never in the middle of another."""
    with _PRINTING:
        print("%-8s %s" % (who + ":", text), flush=True)


class Corvane:
    """corvane started with `args`; every line it prints is shown and kept."""

    def __init__(self, args):
        self.process = subprocess.Popen(args, stdout=subprocess.PIPE, text=True)
        self.lines = queue.Queue()
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for line in self.process.stdout:
            line = line.rstrip("\n")
            say("corvane", line)
            self.lines.put(line)
        self.lines.put(None)  # the end of its output

    def wait_for(self, prefix, timeout=20, containing=""):
        """The next line that starts with `prefix` (one of several
        prefixes, as a tuple) and contains `containing`, or None when
        corvane's output ends or nothing comes for `timeout` seconds."""
        while True:
            try:
                line = self.lines.get(timeout=timeout)
            except queue.Empty:
                return None
            if line is None:
                self.lines.put(None)
                return None
            if line.startswith(prefix) and containing in line:
                return line

    def stop(self):
        """Ends corvane as a service manager would, with SIGTERM, and says
        how it ended: 130 is its end by signal, with the card released, as
        intended. Returns True for that."""
        self.process.terminate()
        status = self.process.wait(20)
        self.reader.join(20)
        if status == 130:
            say("host", "stopped corvane with SIGTERM; it released the card and ended "
                        "with status 130, as intended")
            return True
        say("host", "corvane ended with status %d, not 130: something went wrong" % status)
        print("corvane ended with status %d" % status, file=sys.stderr)
        return False
