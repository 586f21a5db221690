#!/usr/bin/env python3
"""Runs the paint benchmarks and prints each painter's median time as a
ratio of the memset of the same frame, measured in the same run.

    python3 bench/ratios.py [--bench build/bench/corvane_bench] [--repetitions 15]

Targets: showPatch at most 1.15 x memset, showAlignment at most 1.3 x.
Exit status 1 when a target is missed.
"""
import argparse
import json
import subprocess
import sys

TARGETS = {"showPatch": 1.15, "showAlignment": 1.3}
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
            medians[entry["run_name"]] = entry["real_time"]

    missed = False
    print("%-14s %-5s %12s %12s %8s %8s" % ("painter", "mode", "median ms", "memset ms",
                                            "ratio", "target"))
    for painter, target in TARGETS.items():
        for mode in MODES:
            paint = medians[painter + "/" + mode]
            base = medians["memset/" + mode]
            ratio = paint / base
            missed |= ratio > target
            print("%-14s %-5s %12.3f %12.3f %8.3f %8.2f%s" % (
                painter, mode, paint, base, ratio, target, "  MISSED" if ratio > target else ""))
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
