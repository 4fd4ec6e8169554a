#!/usr/bin/env python3
"""Naming throughput: `orvane-cli names` against `xmllint --noout` parsing the same books.

Naming a book means reading it once (the bulk of the work), extracting its metadata and
expanding the two patterns. The reference is the time xmllint needs just to parse the same
files. Generates (once) a few thousand books of 100 KB to 1 MB with a cover picture, times one
process of each program over all of them, in turn, several times, and prints the medians of
CPU and wall time, books per second and the time ratio (ours / xmllint; the target is 1.5 at
most). On a shared machine the CPU figure is the one to trust.

    bench/names_bench.py [--count N] [--runs N] [--books DIR] [--bin DIR]
"""

import argparse
import os
import statistics
import sys

from bench_common import ROOT, generate, timed


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--count", type=int, default=2000)
    ap.add_argument("--runs", type=int, default=3)
    ap.add_argument("--books", default=os.path.join("/tmp", "orvane-bench-books"))
    ap.add_argument("--bin", default=os.path.join(ROOT, "build", "bin"))
    args = ap.parse_args()

    files = generate(args.books, args.count)
    megabytes = sum(os.path.getsize(f) for f in files) / 1e6
    # A settings file that does not exist: the defaults, with full genre names.
    config = os.path.join(args.books, "no-such-config.ini")
    ours = [os.path.join(args.bin, "orvane-cli"), "names", "--config", config] + files
    reference = ["xmllint", "--noout"] + files
    timed(ours, "not every book was named")  # warm the page cache
    runs_ours, runs_ref = [], []
    for _ in range(args.runs):
        runs_ours.append(timed(ours, "not every book was named"))
        runs_ref.append(timed(reference, "not every book is well-formed"))
    print("%d books, %.0f MB; medians of %d runs" % (len(files), megabytes, args.runs))
    for kind, index in (("CPU", 1), ("wall", 0)):
        m_ours = statistics.median(r[index] for r in runs_ours)
        m_ref = statistics.median(r[index] for r in runs_ref)
        print("%-4s  orvane-cli names %6.2f s (%5.0f books/s)   xmllint --noout %6.2f s (%5.0f books/s)   "
              "time ratio ours/xmllint %.2f"
              % (kind, m_ours, len(files) / m_ours, m_ref, len(files) / m_ref, m_ours / m_ref))
    return 0


if __name__ == "__main__":
    sys.exit(main())
