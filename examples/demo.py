#!/usr/bin/env python3
"""The main job on the simulated card: lists a set of simulated cards, then
drives `corvane serve` the way a calibration application does, prints every
line exchanged, and turns the frames the card displayed into PNG pictures.

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
modes = hd@*
hdr = no
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
    # HDR10: the alignment frame again, now signalled as PQ; the signalling
    # carries over the switch to HD at 59.94, and SDR ends it.
    {"cmd": "hdr", "eotf": "pq", "max_luminance": 1000, "min_luminance": 50},
    {"cmd": "setmode", "mode": "hd@59.94"},
    {"cmd": "patch", "r": 64, "g": 940, "b": 64, "bg_r": 502, "bg_g": 502, "bg_b": 502,
     "area": 25},
    {"cmd": "hdr", "eotf": "sdr"},
    {"cmd": "close"},
    {"cmd": "quit"},
]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--corvane", required=True)
    parser.add_argument("--sim-dir", required=True)
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
    env = dict(os.environ, LD_LIBRARY_PATH=args.sim_dir, DECKLINK_SIM_CONFIG=config)

    print("corvane:        %s" % args.corvane)
    print("simulated card: %s" % os.path.join(args.sim_dir, "libDeckLinkAPI.so"))
    print("By hand against the simulated card:")
    print("  LD_LIBRARY_PATH=%s %s list" % (args.sim_dir, args.corvane))
    print("  LD_LIBRARY_PATH=%s DECKLINK_SIM_DEVICES='My card=hd uhd 4k' %s run 0 uhd"
          % (args.sim_dir, args.corvane))
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

    pictures = []
    for index, frame in enumerate(sorted(glob.glob(os.path.join(frames, "*.r210")))):
        picture = os.path.join(args.out, "frame-%02d.png" % (index + 1))
        subprocess.run([args.png_tool, frame, picture], check=True)
        os.remove(frame)  # the raw captures are large; the pictures stay
        pictures.append(picture)
    print()
    print("The card displayed %d frames; as 16-bit PNG pictures:" % len(pictures))
    for picture in pictures:
        print("  " + picture)
    print("Pictures shown while HDR was signalled carry its metadata in their text")
    print("chunks (DeckLink flags, DeckLink eotf, ...).")
    print("Call log of the simulated card: %s" % os.path.join(args.out, "calls.log"))
    # Each hdr request here shows the picture on the card again.
    shown = sum(1 for request in SESSION if request["cmd"] in ("patch", "align", "hdr"))
    return 1 if failures or status != 0 or len(pictures) != shown else 0


if __name__ == "__main__":
    sys.exit(main())
