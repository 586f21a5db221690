#!/usr/bin/env python3
"""The main job on the simulated card: lists a set of simulated cards, then
drives `corvane serve` the way a calibration application does, prints every
line exchanged, and turns the frames the card displayed into PNG pictures;
then plays a calibration host of the Resolve protocol
(examples/resolve_host.py) to `corvane resolve`, and one of the PGenerator
protocol (examples/pgen_host.py) to `corvane pgen`, on the loopback address,
each showing its own and corvane's lines as they happen and stopping corvane
with SIGTERM at the end (status 130, the intended end), and turns their
frames into pictures too.

Run by the `demo` target (`cmake --workflow --preset demo`), which passes the
paths.
"""
import argparse
import glob
import json
import os
import shutil
import subprocess
import sys

CARDS = """\
[device]
name = DeckLink 8K Pro (simulated)
[device]
name = DeckLink Duo 2 (simulated)
modes = hd
[device]
name = Intensity Shuttle (simulated)
output = no
"""

SESSION = [
    {"cmd": "list"},
    {"cmd": "modes", "device": 1},
    {"cmd": "open", "device": 0, "mode": "uhd"},
    {"cmd": "patch", "r": 64, "g": 64, "b": 64, "bg_r": 64, "bg_g": 64, "bg_b": 64,
     "area": 10},
    {"cmd": "patch", "r": 502, "g": 502, "b": 502, "bg_r": 64, "bg_g": 64, "bg_b": 64,
     "area": 10},
    {"cmd": "patch", "r": 940, "g": 940, "b": 940, "bg_r": 64, "bg_g": 64, "bg_b": 64,
     "area": 10},
    {"cmd": "patch", "r": 940, "g": 64, "b": 64, "bg_r": 64, "bg_g": 64, "bg_b": 64,
     "area": 10},
    {"cmd": "align"},
    {"cmd": "pattern", "name": "pluge", "caption": True},
    # HDR10: the PLUGE again, now signalled as PQ; the signalling
    # carries over the switch to HD at 59.94, and SDR ends it.
    {"cmd": "hdr", "eotf": "pq", "max_luminance": 1000, "min_luminance": 50},
    {"cmd": "setmode", "mode": "hd@59.94"},
    {"cmd": "patch", "r": 64, "g": 940, "b": 64, "bg_r": 502, "bg_g": 502, "bg_b": 502,
     "area": 25},
    {"cmd": "status"},
    {"cmd": "hdr", "eotf": "sdr"},
    {"cmd": "close"},
    {"cmd": "quit"},
]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--corvane", required=True)
    parser.add_argument("--sim-api", required=True,
                        help="the simulated card's library (framework on macOS)")
    parser.add_argument("--png-tool", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()

    shutil.rmtree(args.out, ignore_errors=True)
    frames = os.path.join(args.out, "frames")
    os.makedirs(frames)
    config = os.path.join(args.out, "cards.conf")
    with open(config, "w") as f:
        f.write(CARDS)
        f.write("[capture]\ndirectory = %s\n" % frames)
        f.write("[log]\nfile = %s\n" % os.path.join(args.out, "calls.log"))
        f.write("[hold]\ndirectory = %s\n" % os.path.join(args.out, "hold"))
    env = dict(os.environ, CORVANE_DECKLINK_API=args.sim_api, DECKLINK_SIM_CONFIG=config)

    print("corvane:        %s" % args.corvane)
    print("simulated card: %s" % args.sim_api)
    print("By hand against the simulated card:")
    print("  CORVANE_DECKLINK_API=%s %s list" % (args.sim_api, args.corvane))
    print("  CORVANE_DECKLINK_API=%s DECKLINK_SIM_DEVICES='My card=hd uhd 4k' %s run 0 uhd"
          % (args.sim_api, args.corvane))
    print()
    print("$ corvane list")
    listing = subprocess.run([args.corvane, "list"], env=env, stdout=subprocess.PIPE,
                             text=True, check=True)
    print(listing.stdout)

    print("$ corvane serve   (> host request, < corvane response)")
    serve = subprocess.Popen([args.corvane, "serve"], env=env, stdin=subprocess.PIPE,
                             stdout=subprocess.PIPE, text=True, bufsize=1)
    failures = 0
    print("< " + serve.stdout.readline().rstrip("\n"))
    for request in SESSION:
        line = json.dumps(request, separators=(",", ":"))
        print("> " + line)
        serve.stdin.write(line + "\n")
        serve.stdin.flush()
        if request["cmd"] == "quit":
            break
        response = serve.stdout.readline().rstrip("\n")
        print("< " + response)
        if not json.loads(response).get("ok"):
            failures += 1
    serve.stdin.close()
    status = serve.wait()
    print("corvane serve ended with status %d" % status)

    pictures = to_pictures(args.png_tool, frames, os.path.join(args.out, "frame-%02d.png"))
    print("Pictures shown while HDR was signalled carry its metadata in their text")
    print("chunks (DeckLink flags, DeckLink eotf, ...).")
    # Each hdr request here shows the picture on the card again.
    shown = sum(1 for request in SESSION if request["cmd"] in ("patch", "align", "pattern", "hdr"))
    failures += status != 0 or len(pictures) != shown

    print()
    failures += resolve_session(args, env, frames)

    print()
    failures += pgen_session(args)

    print()
    print("Call log of the simulated card: %s" % os.path.join(args.out, "calls.log"))
    return 1 if failures else 0


def to_pictures(png_tool, frames, pattern):
    """Turns the capture files in `frames` into PNGs named by `pattern`."""
    pictures = []
    for index, frame in enumerate(sorted(glob.glob(os.path.join(frames, "*.r210")))):
        picture = pattern % (index + 1)
        subprocess.run([png_tool, frame, picture], check=True)
        os.remove(frame)  # the raw captures are large; the pictures stay
        pictures.append(picture)
    print("The card displayed %d frames; as 16-bit PNG pictures:" % len(pictures))
    for picture in pictures:
        print("  " + picture)
    return pictures


def resolve_session(args, env, frames):
    """examples/resolve_host.py as the calibration host, corvane resolve as
    its pattern generator, both on 127.0.0.1 at a port the system picks."""
    host = os.path.join(os.path.dirname(os.path.abspath(__file__)), "resolve_host.py")
    print("$ python3 examples/resolve_host.py --port 0 --steps 5 --corvane corvane")
    print("  (the host listens, corvane resolve connects and shows each patch; host and")
    print("   corvane lines in the order they happened)", flush=True)
    run = subprocess.run([sys.executable, host, "--port", "0", "--steps", "5",
                          "--corvane", args.corvane, "--mode", "hd"], env=env)
    pictures = to_pictures(args.png_tool, frames,
                           os.path.join(args.out, "resolve-frame-%02d.png"))
    # The black frame before the first patch, and one frame per patch.
    return int(run.returncode != 0 or len(pictures) != 6)


PGEN_STEPS = 6


def pgen_session(args):
    """examples/pgen_host.py against `corvane pgen` on a card of its own
    setup: discovery sent to 127.0.0.1 only, ports the system picks."""
    frames = os.path.join(args.out, "pgen-frames")
    os.makedirs(frames)
    config = os.path.join(args.out, "pgen-card.conf")
    with open(config, "w") as f:
        f.write("[device]\nname = DeckLink 8K Pro (simulated)\n")
        f.write("[capture]\ndirectory = %s\n" % frames)
        f.write("[log]\nfile = %s\n" % os.path.join(args.out, "pgen-calls.log"))
        f.write("[hold]\ndirectory = %s\n" % os.path.join(args.out, "hold"))
    env = dict(os.environ, CORVANE_DECKLINK_API=args.sim_api, DECKLINK_SIM_CONFIG=config)
    host = os.path.join(os.path.dirname(os.path.abspath(__file__)), "pgen_host.py")
    print("$ python3 examples/pgen_host.py --corvane corvane --steps %d" % PGEN_STEPS)
    print("  (corvane pgen 0 hd --listen 127.0.0.1 --port 0 --discovery-port 0; host and")
    print("   corvane lines in the order they happened; > host command, < corvane reply)",
          flush=True)
    status = subprocess.run([sys.executable, host, "--corvane", args.corvane,
                             "--steps", str(PGEN_STEPS)], env=env).returncode
    pictures = to_pictures(args.png_tool, frames, os.path.join(args.out, "pgen-frame-%02d.png"))
    # The black frame before the first patch, and one frame per step.
    return int(status != 0 or len(pictures) != 1 + PGEN_STEPS)


if __name__ == "__main__":
    sys.exit(main())
