#!/usr/bin/env python3
"""Times `orvane-cli run` next to `xmllint --noout --schema` on the same generated books, in the
same run, turn by turn, and prints the medians, the ratios and the time per row.

    bench/bench_run.py [--counts 1000,5000] [--size KB] [--reps N] [--bin build/bin] [--work DIR]

Cases, each over N generated books:
  loose          N loose books: validate, rename, sort, move
  loose+pack     the same, each result packed into an archive of its own
  archive        one archive of N entries: extract, validate, rename, sort, move
  archive+pack   the same with packing
The reference is xmllint validating the same N books (loose files, one process). Every turn of
a run works on a fresh copy of its input (hard links for loose books, made outside the timing).
Targets: loose within 1.3 times xmllint, archive within 1.5 times, and the time per row about
the same at every count.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import zipfile

from bench_common import timed

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)


def generate(work, count, size):
    books = os.path.join(work, "books-%d-%dk" % (count, size))
    if not os.path.isdir(books):
        subprocess.run([sys.executable, os.path.join(HERE, "gen_books.py"), books + ".part", "--count", str(count),
                        "--size", str(size)], check=True)
        os.rename(books + ".part", books)
    archive = books + ".zip"
    if not os.path.exists(archive):
        with zipfile.ZipFile(archive + ".part", "w", zipfile.ZIP_DEFLATED, compresslevel=1) as z:
            for name in sorted(os.listdir(books)):
                z.write(os.path.join(books, name), name)
        os.rename(archive + ".part", archive)
    return books, archive


def write_config(path, out, pack):
    with open(path, "w", encoding="utf-8") as f:
        f.write("[AUTO]\nValid=1\nRename=1\nSort=1\nConvert=0\nArchive=%d\nSaveLog=1\n" % (1 if pack else 0))
        f.write("EndDir=%s/end/\nBadDir=%s/bad/\nLogFile=%s/log.txt\n" % (out, out, out))


def run_case(cli, xsd, work, books, archive, case, reps):
    out = os.path.join(work, "out")
    files = sorted(os.path.join(books, n) for n in os.listdir(books))
    xmllint = ["xmllint", "--noout", "--schema", xsd] + files
    ours, ref = [], []
    for _ in range(reps):
        shutil.rmtree(out, ignore_errors=True)
        os.makedirs(out + "/end")
        os.makedirs(out + "/bad")
        config = os.path.join(out, "config.ini")
        write_config(config, out, case.endswith("+pack"))
        if case.startswith("loose"):
            source = os.path.join(out, "src")
            subprocess.run(["cp", "-al", books, source], check=True)
        else:
            source = archive
        subprocess.run(["sync"])
        # Status 1: some generated books share a name, and the later ones stay where they were.
        ours.append(timed([cli, "run", "--config", config, source], "the run ended with an error", ok=(0, 1)))
        ref.append(timed(xmllint, "xmllint refused a generated book"))
    shutil.rmtree(out, ignore_errors=True)
    wall = statistics.median(o[0] / r[0] for o, r in zip(ours, ref))
    cpu = statistics.median(o[1] / r[1] for o, r in zip(ours, ref))
    return statistics.median(o[0] for o in ours), statistics.median(r[0] for r in ref), wall, cpu


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--counts", default="1000,5000")
    ap.add_argument("--size", type=int, default=100, help="approximate book size in KB (default 100)")
    ap.add_argument("--reps", type=int, default=3)
    ap.add_argument("--bin", default=os.path.join(ROOT, "build", "bin"))
    ap.add_argument("--work", default="/tmp/orvane-bench-run")
    ap.add_argument("--cases", default="loose,loose+pack,archive,archive+pack")
    args = ap.parse_args()

    cli = os.path.join(args.bin, "orvane-cli")
    xsd = os.path.join(args.bin, "utils", "FictionBook.xsd")
    os.makedirs(args.work, exist_ok=True)
    print("%-14s %6s %10s %10s %10s %10s %12s" % ("case", "rows", "ours s", "xmllint s", "wall ratio", "CPU ratio",
                                                "ms per row"))
    for count in (int(c) for c in args.counts.split(",")):
        books, archive = generate(args.work, count, args.size)
        for case in args.cases.split(","):
            ours, ref, wall, cpu = run_case(cli, xsd, args.work, books, archive, case, args.reps)
            print("%-14s %6d %10.2f %10.2f %10.2f %10.2f %12.3f" % (case, count, ours, ref, wall, cpu,
                                                                   ours * 1000 / count), flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
