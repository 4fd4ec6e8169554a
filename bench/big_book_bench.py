#!/usr/bin/env python3
"""One big book: `orvane-cli validate` against `xmllint --huge --noout --schema`,
`orvane-cli info` against `xmllint --huge --noout` (the parse alone) and `orvane-cli convert`
against `xsltproc --huge` with the same style sheet, on the same book, in turn.
Prints the medians of the wall-time ratios of the pairs and the largest resident size of each
program; targets: ratios of at most 1.0 to xmllint, ours under 70 MB; 1.3 to xsltproc.

    bench/big_book_bench.py [--size MB] [--cover KB] [--reps N] [--bin build/bin] [--work DIR]
                            [--convert txt,html,rtf]
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
    ap.add_argument("--convert", default="txt", help="comma-separated conversions to time (txt,html,rtf; '' for none)")
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
    out = os.path.join(args.work, "converted")
    os.makedirs(out, exist_ok=True)
    for kind in filter(None, args.convert.split(",")):
        sheet = os.path.join(args.bin, "utils", kind + ".xsl")
        cases.append(("convert-" + kind, [cli, "convert", "--to", kind, "--out", out, book],
                      ["xsltproc", "--huge", "-o", os.path.join(out, "reference." + kind), sheet, book]))
    print("%s: %.1f MB; medians of %d pairs" % (book, os.path.getsize(book) / 1e6, args.reps))
    for name, ours, reference in cases:
        reference_name = reference[0]
        timed(ours, "%s failed on the book" % name)  # the page cache
        ratios, peaks, ref_peaks, walls, ref_walls = [], [], [], [], []
        for _ in range(args.reps):
            # A conversion that replaces its earlier output flushes it first; xsltproc does not.
            for f in os.listdir(out):
                os.remove(os.path.join(out, f))
            wall, _, peak = timed(ours, "%s failed on the book" % name)
            ref_wall, _, ref_peak = timed(reference, "%s failed on the book" % reference_name)
            ratios.append(wall / ref_wall)
            walls.append(wall)
            ref_walls.append(ref_wall)
            peaks.append(peak)
            ref_peaks.append(ref_peak)
        print("%-12s ours %.2f s, %3.0f MB   %s %.2f s, %3.0f MB   ratio %.2f"
              % (name, statistics.median(walls), max(peaks), reference_name, statistics.median(ref_walls), max(ref_peaks),
                 statistics.median(ratios)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
