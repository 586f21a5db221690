#!/usr/bin/env python3
"""A small calibration host of the Resolve pattern protocol, the way
DisplayCAL speaks it: it listens, waits for the pattern generator
(`corvane resolve`) to connect, sends a gray ramp of patches, and ends the
session with the end-of-session marker.

Every message is a 4-byte big-endian length and that many bytes of XML. The
ramp alternates between the two message shapes in use: the 10-bit one with
a background (DisplayCAL's default) and the 8-bit one of rectangles in
<shapes> (DisplayCAL's "LS" choice).

    python3 examples/resolve_host.py [--port 20002] [--steps 5]
        [--corvane build/corvane --device 0 --mode hd]

With --corvane it starts `corvane resolve 127.0.0.1:<port>` itself (with
the environment it was given, so a simulated card works), shows corvane's
lines as they come beside its own, waits for corvane's line about each
patch before it sends the next, and at the end stops corvane with SIGTERM;
without it, it waits --interval seconds between patches for whatever
generator connects. Only the loopback address is used.
"""
import argparse
import socket
import struct
import sys
import time

from corvane_lines import Corvane, say

CM = ('<?xml version="1.0" encoding="utf-8"?><calibration>'
      '<color red="{v}" green="{v}" blue="{v}" bits="10"/>'
      '<background red="{bg}" green="{bg}" blue="{bg}" bits="10"/>'
      '<geometry x="{x:.4f}" y="{y:.4f}" cx="{cx:.4f}" cy="{cy:.4f}"/></calibration>')
LS = ('<?xml version="1.0" encoding="UTF-8" ?><calibration><shapes><rectangle>'
      '<color red="{v}" green="{v}" blue="{v}" />'
      '<geometry x="{x:.4f}" y="{y:.4f}" cx="{cx:.4f}" cy="{cy:.4f}" />'
      '</rectangle></shapes></calibration>')
END_OF_SESSION = b"\xff\xff\xff\xff"


def framed(xml):
    payload = xml.encode("utf-8")
    return struct.pack(">I", len(payload)) + payload


def ramp(steps):
    """(xml, description) for each step: a centred window of a tenth of the
    frame's area, alternately 10-bit with a background and 8-bit."""
    messages = []
    side = 0.1 ** 0.5
    x = y = (1 - side) / 2
    for i in range(steps):
        share = i / (steps - 1) if steps > 1 else 1.0
        if i % 2 == 0:
            level = round(64 + share * 876)
            xml = CM.format(v=level, bg=64, x=x, y=y, cx=side, cy=side)
            messages.append((xml, "10-bit %d on 64" % level))
        else:
            level = round(16 + share * 219)
            xml = LS.format(v=level, x=x, y=y, cx=side, cy=side)
            messages.append((xml, "8-bit %d on black" % level))
    return messages


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--port", type=int, default=20002,
                        help="port to listen on (0: let the system pick)")
    parser.add_argument("--steps", type=int, default=5)
    parser.add_argument("--interval", type=float, default=1.0,
                        help="seconds between patches without --corvane")
    parser.add_argument("--corvane", help="start this corvane binary as the generator")
    parser.add_argument("--device", default="0")
    parser.add_argument("--mode", default="hd")
    args = parser.parse_args()

    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", args.port))
    server.listen(1)
    port = server.getsockname()[1]
    say("host", "waiting for a pattern generator at 127.0.0.1:%d" % port)

    corvane = None
    if args.corvane:
        corvane = Corvane([args.corvane, "resolve", "127.0.0.1:%d" % port, args.device,
                           args.mode])
        held = corvane.wait_for(("Device held", "Could not"))
        if held is None or not held.startswith("Device held"):
            say("host", "corvane could not hold the card")
            corvane.stop()
            return 1
    server.settimeout(30)
    connection, peer = server.accept()
    say("host", "pattern generator connected from %s:%d" % peer)
    failed = False
    for xml, description in ramp(args.steps):
        say("host", "sends %s" % description)
        connection.sendall(framed(xml))
        if corvane:
            if corvane.wait_for("patch") is None:
                say("host", "corvane did not show the patch")
                failed = True
                break
        else:
            time.sleep(args.interval)
    say("host", "ends the session")
    connection.sendall(END_OF_SESSION)
    connection.close()
    server.close()
    if corvane:
        corvane.wait_for("connection ended")
        failed |= not corvane.stop()
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
