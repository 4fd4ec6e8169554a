#!/usr/bin/env python3
"""Validation throughput: `orvane-cli validate` against `xmllint --noout --schema` on the same books.

Generates (once) a few thousand books of 100 KB to 1 MB with a cover picture, then times one
process of each program over all of them, in turn, several times, and prints the medians of CPU
and wall time and the throughput ratios (ours / xmllint; 1.0 means as fast). On a shared machine
the CPU figure is the one to trust. Both programs must find every book valid.

    bench/validate_bench.py [--count N] [--runs N] [--books DIR] [--bin DIR]
"""

import argparse
import os
import statistics
import sys

from bench_common import ROOT, generate, timed

FAILURE = "not every book was found valid"


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--count", type=int, default=2000)
    ap.add_argument("--runs", type=int, default=3)
    ap.add_argument("--books", default=os.path.join("/tmp", "orvane-bench-validate"))
    ap.add_argument("--bin", default=os.path.join(ROOT, "build", "bin"))
    args = ap.parse_args()

    files = generate(args.books, args.count)
    megabytes = sum(os.path.getsize(f) for f in files) / 1e6
    ours = [os.path.join(args.bin, "orvane-cli"), "validate"] + files
    reference = ["xmllint", "--noout", "--schema", os.path.join(args.bin, "utils", "FictionBook.xsd")] + files
    timed(ours, FAILURE)  # warm the page cache
    runs_ours, runs_ref = [], []
    for _ in range(args.runs):
        runs_ours.append(timed(ours, FAILURE))
        runs_ref.append(timed(reference, FAILURE))
    print("%d books, %.0f MB; medians of %d runs" % (len(files), megabytes, args.runs))
    for kind, index in (("CPU", 1), ("wall", 0)):
        m_ours = statistics.median(r[index] for r in runs_ours)
        m_ref = statistics.median(r[index] for r in runs_ref)
        print("%-4s  orvane-cli validate %6.2f s (%3.0f MB/s)   xmllint --schema %6.2f s (%3.0f MB/s)   "
              "throughput ratio ours/xmllint %.2f"
              % (kind, m_ours, megabytes / m_ours, m_ref, megabytes / m_ref, m_ref / m_ours))
    return 0


if __name__ == "__main__":
    sys.exit(main())
