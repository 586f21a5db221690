#!/usr/bin/env python3
"""Runs the paint benchmarks and prints each painter's median time as a
ratio of the memset of the same frame, measured in the same run.

    python3 bench/ratios.py [--bench build/bench/corvane_bench] [--repetitions 15]

Targets: showPatch at most 1.15 x memset, showAlignment at most 1.3 x; a
patch request through `corvane serve` at most 1.10 x one in-process
showPatch at UHD and 4K (the request loop and the codec add at most 10 %).
Exit status 1 when a target is missed.
"""
import argparse
import json
import subprocess
import sys

# painter: (baseline, target, modes the target applies to)
TARGETS = {
    "showPatch": ("memset", 1.15, ["hd", "uhd", "4k"]),
    "showAlignment": ("memset", 1.3, ["hd", "uhd", "4k"]),
    "serve": ("showPatch", 1.10, ["uhd", "4k"]),
}
MODES = ["hd", "uhd", "4k"]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bench", default="build/bench/corvane_bench")
    parser.add_argument("--repetitions", type=int, default=15)
    parser.add_argument("--min-time", default="0.2")
    args = parser.parse_args()

    # Interleaving the repetitions spreads any slow spell of the machine
    # over all benchmarks alike instead of one.
    run = subprocess.run(
        [args.bench, "--benchmark_format=json",
         "--benchmark_repetitions=%d" % args.repetitions,
         "--benchmark_enable_random_interleaving=true",
         "--benchmark_report_aggregates_only=true",
         "--benchmark_min_time=%s" % args.min_time],
        check=True, stdout=subprocess.PIPE, text=True)
    medians = {}
    for entry in json.loads(run.stdout)["benchmarks"]:
        if entry.get("aggregate_name") == "median":
            medians[entry["run_name"].replace("/real_time", "")] = entry["real_time"]

    missed = False
    print("%-14s %-5s %10s %-10s %10s %7s %7s" % ("measured", "mode", "median ms", "baseline",
                                                  "median ms", "ratio", "target"))
    for painter, (baseline, target, targeted) in TARGETS.items():
        for mode in MODES:
            paint = medians[painter + "/" + mode]
            base = medians[baseline + "/" + mode]
            ratio = paint / base
            verdict = ""
            if mode in targeted:
                missed |= ratio > target
                verdict = "  MISSED" if ratio > target else ""
            print("%-14s %-5s %10.3f %-10s %10.3f %7.3f %7s%s" % (
                painter, mode, paint, baseline, base, ratio,
                "%.2f" % target if mode in targeted else "-", verdict))
    if "serve/uhd" in medians:
        for mode in MODES:
            print("serve/%s: %.1f requests per second" % (mode, 1000.0 / medians["serve/" + mode]))
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
