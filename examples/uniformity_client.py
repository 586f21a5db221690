#!/usr/bin/env python3
"""A uniformity run for `corvane serve`: the same patch at nine places on
the screen (a 3 x 3 grid, centre last), each placed by its top-left pixel,
so that a meter can compare the display's corners and edges with its
centre. Every request carries an id, and every answer is checked against
it. Python standard library only.

    python3 examples/uniformity_client.py [--corvane build/corvane]
        [--device 0] [--mode hd] [--area 10] [--level 940] [--bg 64]
        [--pause 0]

With the simulated card instead of a real one:

    CORVANE_DECKLINK_API=build/sim/libDeckLinkAPI.so python3 examples/uniformity_client.py

--pause waits that many seconds at each place, for a reading by hand.
Exit status 0 when every response was as expected, 1 otherwise.
"""
import argparse
import math
import sys
import time

from gray_ramp_client import Corvane, ServeError, expected_rect


def places(width, height, w, h):
    """The top-left pixels of nine w x h patches centred at a sixth, a half
    and five sixths of each side (an odd margin leaving the extra pixel
    right or bottom, as corvane centres), kept inside the frame; the centre
    last."""
    def start(centre, size, side):
        return min(max(int(math.floor(centre - size / 2.0)), 0), side - size)

    grid = [(column, row) for row in range(3) for column in range(3) if (column, row) != (1, 1)]
    grid.append((1, 1))
    return [(column, row, start(width * (2 * column + 1) / 6.0, w, width),
             start(height * (2 * row + 1) / 6.0, h, height)) for column, row in grid]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--corvane", default="build/corvane")
    parser.add_argument("--device", type=int, default=0)
    parser.add_argument("--mode", default="hd")
    parser.add_argument("--area", type=int, default=10)
    parser.add_argument("--level", type=int, default=940)
    parser.add_argument("--bg", type=int, default=64)
    parser.add_argument("--pause", type=float, default=0)
    args = parser.parse_args()

    corvane = Corvane(args.corvane)
    try:
        size = corvane.request(cmd="open", device=args.device, mode=args.mode, id=1)
        width, height = size["width"], size["height"]
        patch = expected_rect(args.area, width, height)
        print("holding device %d at %dx%d; patch %dx%d" % (
            args.device, width, height, patch["w"], patch["h"]))
        for number, (column, row, x, y) in enumerate(places(width, height, patch["w"],
                                                            patch["h"]), start=2):
            shown = corvane.request(cmd="patch", r=args.level, g=args.level, b=args.level,
                                    bg_r=args.bg, bg_g=args.bg, bg_b=args.bg, area=args.area,
                                    x=x, y=y, id=number)
            want = {"ok": True, "x": x, "y": y, "w": patch["w"], "h": patch["h"], "id": number}
            if shown != want:
                raise ServeError("place %d,%d: answer %r, expected %r" % (column, row, shown, want))
            print("place %d,%d: patch at (%d,%d)" % (column, row, x, y))
            time.sleep(args.pause)
        corvane.request(cmd="close")
        corvane.quit()
    except (ServeError, ValueError, OSError) as error:
        print("error: %s" % error, file=sys.stderr)
        corvane.process.kill()
        return 1
    print("uniformity run done")
    return 0


if __name__ == "__main__":
    sys.exit(main())
