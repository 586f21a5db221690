#!/usr/bin/env python3
"""A small host for `corvane serve`: opens a card and steps a gray ramp,
checking every response. Python standard library only.

    python3 examples/gray_ramp_client.py [--corvane build/corvane]
        [--device 0] [--mode hd] [--steps 11] [--area 10]

With the simulated card instead of a real one:

    CORVANE_DECKLINK_API=build/sim/libDeckLinkAPI.so python3 examples/gray_ramp_client.py

Exit status 0 when every response was as expected, 1 otherwise.
"""
import argparse
import json
import subprocess
import sys


class ServeError(Exception):
    pass


class Corvane:
    """One `corvane serve` process: a request per line in, a response per
    line out."""

    def __init__(self, program):
        self.process = subprocess.Popen(
            [program, "serve"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
            text=True, bufsize=1)
        ready = self._read()
        if ready != {"ok": True, "ready": True}:
            raise ServeError("unexpected ready line: %r" % ready)

    def _read(self):
        line = self.process.stdout.readline()
        if not line.endswith("\n"):
            raise ServeError("corvane ended without answering")
        return json.loads(line)

    def request(self, **fields):
        """Sends one request and returns its response; raises on a failure."""
        self.process.stdin.write(json.dumps(fields) + "\n")
        self.process.stdin.flush()
        response = self._read()
        if response.get("ok") is not True:
            raise ServeError("%s failed: %s (%s)" % (
                fields.get("cmd"), response.get("error"), response.get("code")))
        return response

    def quit(self):
        self.process.stdin.write(json.dumps({"cmd": "quit"}) + "\n")
        self.process.stdin.close()
        rest = self.process.stdout.read()
        status = self.process.wait()
        if rest or status != 0:
            raise ServeError("quit: status %d, output %r" % (status, rest))


def expected_rect(area, width, height):
    """The centred patch for `area` percent, as corvane computes it."""
    if area >= 100:
        return {"x": 0, "y": 0, "w": width, "h": height}
    scale = (area / 100.0) ** 0.5

    def round_half_away(value):
        return int(value + 0.5) if value >= 0 else -int(-value + 0.5)

    w = max(round_half_away(width * scale), 1)
    h = max(round_half_away(height * scale), 1)
    return {"x": (width - w) // 2, "y": (height - h) // 2, "w": w, "h": h}


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--corvane", default="build/corvane")
    parser.add_argument("--device", type=int, default=0)
    parser.add_argument("--mode", default="hd", choices=["hd", "uhd", "4k"])
    parser.add_argument("--steps", type=int, default=11)
    parser.add_argument("--area", type=int, default=10)
    args = parser.parse_args()

    corvane = Corvane(args.corvane)
    try:
        devices = corvane.request(cmd="list")["devices"]
        if args.device >= len(devices):
            raise ServeError("no device %d; found %d" % (args.device, len(devices)))
        print("device %d: %s" % (args.device, devices[args.device]["name"]))
        size = corvane.request(cmd="open", device=args.device, mode=args.mode)
        width, height = size["width"], size["height"]
        print("holding it at %dx%d" % (width, height))
        want = expected_rect(args.area, width, height)
        for step in range(args.steps):
            level = round(step * 1023 / max(args.steps - 1, 1))
            shown = corvane.request(cmd="patch", r=level, g=level, b=level, area=args.area)
            got = {key: shown[key] for key in ("x", "y", "w", "h")}
            if got != want:
                raise ServeError("level %d: patch %r, expected %r" % (level, got, want))
            print("gray %4d shown at %dx%d+%d+%d" % (level, got["w"], got["h"], got["x"],
                                                      got["y"]))
        corvane.request(cmd="close")
        corvane.quit()
    except (ServeError, ValueError, OSError) as error:
        print("error: %s" % error, file=sys.stderr)
        corvane.process.kill()
        return 1
    print("ramp done")
    return 0


if __name__ == "__main__":
    sys.exit(main())
