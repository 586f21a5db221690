#!/usr/bin/env python3
"""A small host of the PGenerator protocol, the way HCFR and pgen_client
speak it: it finds the pattern generator (`corvane pgen`) by its discovery
datagram, checks that it is alive, reads its resolution, steps a gray ramp
of patches with 8-bit and 10-bit commands, and ends with QUIT.

Every command is ASCII text followed by the two bytes 02 0D, and so is
every reply. Discovery is the UDP datagram "Who is a PGenerator"; the
generator is the address the answer comes from.

    python3 examples/pgen_host.py [--address 127.0.0.1 | --broadcast]
        [--port 85] [--discovery-port 1977] [--steps 6]
    python3 examples/pgen_host.py --corvane build/corvane [--device 0 --mode hd]

The discovery datagram goes to --address (default 127.0.0.1) only; it is
broadcast to the local network (255.255.255.255) only when --broadcast is
given. With --corvane it starts `corvane pgen` itself on the loopback
address with ports the system picks (with the environment it was given, so
a simulated card works), shows corvane's lines as they come beside its
own, and at the end stops corvane with SIGTERM.
"""
import argparse
import re
import socket
import sys

from corvane_lines import Corvane, say

END = b"\x02\r"
QUESTION = b"Who is a PGenerator"


def discover(address, port, broadcast, tries=3):
    """The address that answers the discovery datagram, or None."""
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as udp:
        if broadcast:
            udp.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
            address = "255.255.255.255"
        udp.settimeout(2)
        for _ in range(tries):
            say("host", "discovery %r to %s:%d" % (QUESTION.decode(), address, port))
            udp.sendto(QUESTION, (address, port))
            try:
                answer, (source, _) = udp.recvfrom(1024)
            except socket.timeout:
                continue
            say("host", "%s answered %r" % (source, answer.decode(errors="replace")))
            return source
    return None


class Generator:
    """One TCP connection: a command out, its reply in."""

    def __init__(self, address, port):
        self.sock = socket.create_connection((address, port), timeout=10)
        self.pending = b""

    def ask(self, command):
        self.sock.sendall(command.encode("ascii") + END)
        while END not in self.pending:
            more = self.sock.recv(4096)
            if not more:
                break
            self.pending += more
        reply, _, self.pending = self.pending.partition(END)
        text = reply.decode("ascii", errors="replace")
        say("host", "> %-66s < %r" % (command, text))
        return text

    def close(self):
        self.sock.close()


def ramp(steps, width, height):
    """The ramp's commands: a centred window of a tenth of the frame's area
    at video levels on video black, alternately as HCFR sends it (8-bit
    codes, centred) and as pgen_client does (10-bit codes, the top-left
    pixel)."""
    w, h = round(width * 0.1 ** 0.5), round(height * 0.1 ** 0.5)
    commands = []
    for i in range(steps):
        share = i / (steps - 1) if steps > 1 else 1.0
        if i % 2 == 0:
            v = int(share * 219 + 16.5)
            commands.append("RGB=RECTANGLE;%d,%d;100;%d,%d,%d;16,16,16;-1,-1,0,0" % (w, h, v, v, v))
        else:
            v = round(64 + share * 876)
            x, y = (width - w) // 2, (height - h) // 2
            commands.append("RGB=RECTANGLE10bit;%d,%d;0;%d,%d,%d;64,64,64;0,0,%d,%d;-1"
                            % (w, h, v, v, v, x, y))
    return commands


def start_corvane(args):
    """Starts `corvane pgen` on the loopback address; returns it and its TCP
    and discovery ports."""
    corvane = Corvane([args.corvane, "pgen", args.device, args.mode, "--listen", "127.0.0.1",
                       "--port", "0", "--discovery-port", "0"])
    ports = {}
    while True:  # ends at the first other line, or when nothing comes for 20 s
        line = corvane.wait_for(("listening on", "discovery on", "waiting for hosts",
                                 "Could not", "corvane pgen:"))
        found = re.match(r"(listening|discovery) on 127\.0\.0\.1:(\d+)", line or "")
        if found:
            ports[found.group(1)] = int(found.group(2))
        elif line is None or not line.startswith(("listening on", "discovery on")):
            break
    return corvane, ports.get("listening"), ports.get("discovery")


def session(address, port, steps):
    """Alive, resolution, the ramp, QUIT; True when every reply was right."""
    generator = Generator(address, port)
    ok = generator.ask("IS_ALIVE") == "ALIVE"
    resolution = generator.ask("CMD:GET_RESOLUTION")
    size = re.fullmatch(r"OK:(\d+)x(\d+)", resolution)
    if not ok or not size:
        say("host", "the generator is not alive or has no resolution")
        return False
    for command in ramp(steps, int(size.group(1)), int(size.group(2))):
        ok &= generator.ask(command) == "OK"
    ok &= generator.ask("QUIT") == ""
    ok &= generator.sock.recv(1) == b""  # the generator closes the connection
    generator.close()
    return ok


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--address", default="127.0.0.1",
                        help="where the discovery datagram goes (default 127.0.0.1)")
    parser.add_argument("--broadcast", action="store_true",
                        help="broadcast the discovery datagram to the local network instead")
    parser.add_argument("--port", type=int, default=85)
    parser.add_argument("--discovery-port", type=int, default=1977)
    parser.add_argument("--steps", type=int, default=6)
    parser.add_argument("--corvane", help="start this corvane binary as the generator")
    parser.add_argument("--device", default="0")
    parser.add_argument("--mode", default="hd")
    args = parser.parse_args()

    corvane = None
    if args.corvane:
        corvane, args.port, args.discovery_port = start_corvane(args)
        if args.port is None:
            say("host", "corvane pgen did not start")
            corvane.stop()
            return 1
    address = discover(args.address, args.discovery_port, args.broadcast)
    ok = address is not None and session(address, args.port, args.steps)
    if not ok:
        say("host", "the session failed")
        print("host: the session failed", file=sys.stderr)
    if corvane:
        # The QUIT's line, the last of the session, before the stop.
        corvane.wait_for("connection from", timeout=5, containing=" ended: ")
        ok &= corvane.stop()
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
