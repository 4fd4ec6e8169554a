#!/usr/bin/env python3
"""Archive speed: `orvane-cli list` / `extract` against `unzip` on one archive of many small books.

Generates (once) an archive of 20,000 small deflated .fb2 entries, then times, in turn and several
times, one process of each program for three jobs: listing the archive (`unzip -l`), extracting
one entry by name (`unzip -o ARCHIVE ENTRY`) and extracting everything (`unzip -o`), each
extraction into a fresh empty folder. Prints the medians of CPU and wall time and the ratio
ours / unzip (below 1.0 means faster). On a shared machine the CPU figure is the one to trust.
It also times `orvane-cli --help`: the cost of starting the program at all (loading Qt), which
bounds from below every job done in a process of its own.

    bench/zip_bench.py [--entries N] [--runs N] [--work DIR] [--bin DIR]
"""

import argparse
import os
import random
import shutil
import statistics
import sys
import zipfile

from bench_common import ROOT, timed

WORDS = ["война", "мир", "жизнь", "ночь", "дорога", "сад", "город", "звезда", "море", "время", "дом",
         "тень", "свет", "река", "ветер", "зима", "весна", "колокол", "письмо", "тайна", "остров"]


def make_archive(path, entries):
    if os.path.exists(path):
        with zipfile.ZipFile(path) as z:
            if len(z.infolist()) == entries:
                return
    print("generating %s with %d entries" % (path, entries), file=sys.stderr)
    rnd = random.Random(5)
    with zipfile.ZipFile(path + ".part", "w", zipfile.ZIP_DEFLATED) as z:
        for i in range(entries):
            text = " ".join(rnd.choice(WORDS) for _ in range(rnd.randint(100, 600)))
            book = ('<?xml version="1.0" encoding="utf-8"?>\n<FictionBook xmlns="http://www.gribuser.ru/'
                    'xml/fictionbook/2.0"><body><section><p>%s</p></section></body></FictionBook>\n' % text)
            z.writestr("book%05d.fb2" % i, book)
    os.replace(path + ".part", path)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--entries", type=int, default=20000)
    ap.add_argument("--runs", type=int, default=5)
    ap.add_argument("--work", default=os.path.join("/tmp", "orvane-bench-zip"))
    ap.add_argument("--bin", default=os.path.join(ROOT, "build", "bin"))
    args = ap.parse_args()

    os.makedirs(args.work, exist_ok=True)
    archive = os.path.join(args.work, "books.zip")
    make_archive(archive, args.entries)
    out = os.path.join(args.work, "out")
    cli = os.path.join(args.bin, "orvane-cli")
    one = "book%05d.fb2" % (args.entries // 2)
    jobs = [
        ("list", [cli, "list", archive], ["unzip", "-l", archive], False, 1.0),
        ("one entry", [cli, "extract", "--to", out, archive, one], ["unzip", "-o", archive, one, "-d", out], True, 1.0),
        ("all entries", [cli, "extract", "--to", out, archive], ["unzip", "-o", archive, "-d", out], True, 1.2),
    ]

    def run(cmd, fresh):
        if fresh:
            shutil.rmtree(out, ignore_errors=True)
            os.makedirs(out)
        return timed(cmd, "see its output")

    print("%d entries, %.1f MB archive; medians of %d runs" % (args.entries, os.path.getsize(archive) / 1e6, args.runs))
    met = True
    for name, ours, reference, fresh, target in jobs:
        run(ours, fresh)  # warm the page cache
        run(reference, fresh)
        r_ours, r_ref = [], []
        for _ in range(args.runs):
            r_ours.append(run(ours, fresh))
            r_ref.append(run(reference, fresh))
        line = "%-12s" % name
        for kind, index in (("CPU", 1), ("wall", 0)):
            m_ours = statistics.median(r[index] for r in r_ours)
            m_ref = statistics.median(r[index] for r in r_ref)
            ratio = statistics.median(a[index] / max(b[index], 1e-6) for a, b in zip(r_ours, r_ref))
            line += "  %s ours %.3f s, unzip %.3f s, ratio %.2f" % (kind, m_ours, m_ref, ratio)
            if kind == "CPU" and ratio > target:
                met = False
        print(line + "  (target %.1f)" % target)
    start = [timed([cli, "--help"], "see its output") for _ in range(args.runs)]
    print("%-12s  CPU %.3f s, wall %.3f s: starting orvane-cli alone" % (
        "start-up", statistics.median(r[1] for r in start), statistics.median(r[0] for r in start)))
    shutil.rmtree(out, ignore_errors=True)
    print("targets met" if met else "targets NOT met")
    return 0


if __name__ == "__main__":
    sys.exit(main())
