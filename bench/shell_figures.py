#!/usr/bin/env python3
"""Start-up time of the main window and its memory at idle and with a full
target table, offscreen.

    python3 bench/shell_figures.py [--build build] [--runs 10] [--stations 3000]

Start-up: build/bin/navoro_shell_bench startup is started --runs times; each
run prints the milliseconds from the moment this script starts it to main(),
to the window built (with the saved language applied) and to the window's
first paint. The median and the best run are printed. Memory:
navoro_shell_bench memory shows the window, idles two seconds, files
--stations distinct MMSIs through the window's receive path (the target table
holds 2250), then fills the data log to its cap; the resident set size after
each step and the peak are printed.
"""

import argparse
import json
import os
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def run(program, *args):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", NAVORO_BENCH_T0_NS=str(time.monotonic_ns()))
    out = subprocess.run([program, *args], env=env, check=True, capture_output=True, text=True)
    return json.loads(out.stdout.strip().splitlines()[-1])


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--build", default=os.path.join(HERE, "..", "build"))
    ap.add_argument("--runs", type=int, default=10)
    ap.add_argument("--stations", type=int, default=3000)
    args = ap.parse_args()
    program = os.path.join(args.build, "bin", "navoro_shell_bench")
    if not os.access(program, os.X_OK):
        sys.exit("shell_figures: build navoro_shell_bench first (%s not found)" % program)

    runs = [run(program, "startup") for _ in range(args.runs)]
    print("start-up over %d runs (ms)        median   best" % len(runs))
    for key, label in (("to_main_ms", "to main()"), ("to_window_built_ms", "to window built"),
                       ("to_first_paint_ms", "to first paint (shown)")):
        values = [r[key] for r in runs]
        print("  %-30s %7.1f %6.1f" % (label, statistics.median(values), min(values)))

    m = run(program, "memory", str(args.stations))
    print("memory (MB)")
    print("  %-30s %7.1f" % ("idle, window shown", m["idle_rss_kb"] / 1024))
    print("  %-30s %7.1f" % ("full target table (%d of %d)" % (m["targets"], m["stations"]),
                             m["full_table_rss_kb"] / 1024))
    print("  %-30s %7.1f" % ("and data log at %d lines" % m["log_lines"], m["full_log_rss_kb"] / 1024))
    print("  %-30s %7.1f" % ("peak", m["peak_rss_kb"] / 1024))


if __name__ == "__main__":
    main()
