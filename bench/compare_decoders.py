#!/usr/bin/env python3
"""Whole-program speed of navoro-decode against gpsd's gpsdecode on the same
AIS capture, and the in-process AIS benchmark.

    python3 bench/compare_decoders.py [--build build] [--lines 200000] [--runs 5]

The capture (single- and multi-sentence messages of all common types from about
1500 stations, built by bench/ais_capture.py) is written to a temporary file and
removed afterwards. Both programs read the same file and write JSON to
/dev/null; each is timed over several runs, alternating, and the best run
counts. The ratio is taken from CPU time (user + system of the program), which
other work on a shared machine disturbs far less than wall time; both are
printed. gpsdecode comes from the Debian package gpsd-clients.
"""

import argparse
import json
import os
import resource
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import ais_capture  # noqa: E402


def timed(command, stdin_path=None):
    """Wall and CPU seconds of one run."""
    stdin = open(stdin_path, "rb") if stdin_path else subprocess.DEVNULL
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, stdin=stdin, stdout=subprocess.DEVNULL, check=True)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    if stdin_path:
        stdin.close()
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return wall, cpu


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--build", default=os.path.join(HERE, "..", "build"))
    ap.add_argument("--lines", type=int, default=200000)
    ap.add_argument("--runs", type=int, default=5)
    ap.add_argument("--no-benchmark", action="store_true", help="skip the in-process benchmark")
    args = ap.parse_args()

    decode = os.path.join(args.build, "bin", "navoro-decode")
    bench = os.path.join(args.build, "bin", "navoro_ais_bench")
    gpsdecode = shutil.which("gpsdecode")
    if not os.access(decode, os.X_OK):
        sys.exit("compare: build navoro-decode first (%s not found)" % decode)
    if gpsdecode is None:
        sys.exit("compare: gpsdecode not found (apt-get install gpsd-clients)")

    with tempfile.TemporaryDirectory() as tmp:
        capture = os.path.join(tmp, "capture.nmea")
        with open(capture, "w", newline="") as f:
            for line in ais_capture.capture(args.lines):
                f.write(line + "\r\n")

        # What each program makes of the capture (untimed).
        out = subprocess.run([decode, "--summary", capture], capture_output=True, check=True).stdout
        summary = json.loads(out.splitlines()[-1])["summary"]
        ours = sum(summary["ais"].values())
        theirs = subprocess.run([gpsdecode], stdin=open(capture, "rb"), capture_output=True,
                                check=True).stdout.count(b'"class":"AIS"')

        ours_runs, theirs_runs = [], []
        for _ in range(args.runs):
            ours_runs.append(timed([decode, capture]))
            theirs_runs.append(timed([gpsdecode], stdin_path=capture))

    print("capture: %d lines, %d AIS messages decoded by navoro-decode, %d by gpsdecode, "
          "%d targets" % (args.lines, ours, theirs, summary["targets"]))
    for name, runs in (("navoro-decode", ours_runs), ("gpsdecode", theirs_runs)):
        wall = min(r[0] for r in runs)
        cpu = min(r[1] for r in runs)
        print("%-14s CPU %.3f s %10.0f lines/s   wall %.3f s %10.0f lines/s"
              % (name + ":", cpu, args.lines / cpu, wall, args.lines / wall))
    cpu_ratio = min(r[1] for r in theirs_runs) / min(r[1] for r in ours_runs)
    wall_ratio = min(r[0] for r in theirs_runs) / min(r[0] for r in ours_runs)
    print("ratio:         %.1fx by CPU time, %.1fx by wall time" % (cpu_ratio, wall_ratio))

    if not args.no_benchmark and os.access(bench, os.X_OK):
        out = subprocess.run([bench, "--benchmark_format=json"], capture_output=True, check=True).stdout
        for b in json.loads(out)["benchmarks"]:
            print("%-30s %6.2f M messages/s per core" % (b["name"], b["items_per_second"] / 1e6))


if __name__ == "__main__":
    main()
