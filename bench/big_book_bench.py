#!/usr/bin/env python3
"""One big book: `orvane-cli validate` against `xmllint --huge --noout --schema` and
`orvane-cli info` against `xmllint --huge --noout` (the parse alone), on the same book, in turn.
Prints the medians of the wall-time ratios of the pairs and the largest resident size of each
program; targets: ratios of at most 1.0, ours under 70 MB.

    bench/big_book_bench.py [--size MB] [--cover KB] [--reps N] [--bin build/bin] [--work DIR]
"""

import argparse
import os
import statistics
import subprocess
import sys

from bench_common import ROOT, timed


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--size", type=int, default=40, help="body size in MB (default 40)")
    ap.add_argument("--cover", type=int, default=500, help="cover picture in KB (default 500)")
    ap.add_argument("--reps", type=int, default=5)
    ap.add_argument("--bin", default=os.path.join(ROOT, "build", "bin"))
    ap.add_argument("--work", default="/tmp/orvane-bench-big")
    args = ap.parse_args()

    folder = os.path.join(args.work, "%dmb-%dkb" % (args.size, args.cover))
    if not os.path.isdir(folder):
        subprocess.run([sys.executable, os.path.join(ROOT, "bench", "gen_books.py"), folder, "--count", "1",
                        "--size", str(args.size * 1000), "--cover", str(args.cover)], check=True)
    book = os.path.join(folder, sorted(f for f in os.listdir(folder) if f.endswith(".fb2"))[0])
    cli = os.path.join(args.bin, "orvane-cli")
    xsd = os.path.join(args.bin, "utils", "FictionBook.xsd")
    cases = [
        ("validate", [cli, "validate", book], ["xmllint", "--huge", "--noout", "--schema", xsd, book]),
        ("info", [cli, "info", book], ["xmllint", "--huge", "--noout", book]),
    ]
    print("%s: %.1f MB; medians of %d pairs" % (book, os.path.getsize(book) / 1e6, args.reps))
    for name, ours, reference in cases:
        timed(ours, "%s failed on the book" % name)  # the page cache
        ratios, peaks, ref_peaks, walls, ref_walls = [], [], [], [], []
        for _ in range(args.reps):
            wall, _, peak = timed(ours, "%s failed on the book" % name)
            ref_wall, _, ref_peak = timed(reference, "xmllint failed on the book")
            ratios.append(wall / ref_wall)
            walls.append(wall)
            ref_walls.append(ref_wall)
            peaks.append(peak)
            ref_peaks.append(ref_peak)
        print("%-8s ours %.2f s, %3.0f MB   xmllint %.2f s, %3.0f MB   ratio %.2f"
              % (name, statistics.median(walls), max(peaks), statistics.median(ref_walls), max(ref_peaks),
                 statistics.median(ratios)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
