#!/usr/bin/env python3
"""Times `orvane-cli run` next to `xmllint --noout --schema` on the same generated books, in the
same run, turn by turn, and prints the medians, the ratios and the time per row.

    bench/bench_run.py [--counts 1000,5000,20000] [--size KB] [--reps N] [--bin build/bin] [--work DIR]
                       [--cases ...] [--mix DIR] [--jobs N]

Cases, each over N books:
  loose          N loose generated books: validate, rename, sort, move
  loose+pack     the same, each result packed into an archive of its own
  archive        one archive of N entries: extract, validate, rename, sort, move
  archive+pack   the same with packing
  mix            N loose real books, copies of every .fb2 below --mix (most of them invalid)
  convert-txt    `orvane-cli convert` of N generated books, against xsltproc with the same
  convert-html   style sheet on the same books (the reference of these three cases)
  convert-rtf
The reference of the run cases is xmllint validating the same N books (loose files, one
process, one core). Every turn of a run works on a fresh copy of its input (hard links for loose
books, made outside the timing). Turns alternate between ours and the reference; the ratios are
the medians of the ratios of each pair, so a machine whose speed drifts still compares fairly;
"peak MB" is the largest resident size of ours in any turn.
Targets: loose 0.8, mix 1.0, archive 1.0, loose+pack 1.3, archive+pack 1.5 times xmllint;
conversion 1.3 times xsltproc; the time per row about the same at every count.

A turn's output is set aside, not removed, and everything set aside goes after the last case: ext4
without a journal skips every inode freed in the last 30 s on each file it creates, so a turn
started just after thousands of files were removed pays for the removal (quadratically in the
count), and only ours creates files.
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


def mix_books(work, count, source):
    """N loose copies of the real books below `source`, in turn, under names of their own."""
    books = os.path.join(work, "mix-%d" % count)
    if os.path.isdir(books):
        return books
    found = sorted(os.path.join(d, f) for d, _, fs in os.walk(source) for f in fs if f.endswith(".fb2"))
    if not found:
        sys.exit("no .fb2 files below %s" % source)
    os.makedirs(books + ".part")
    for i in range(count):
        src = found[i % len(found)]
        shutil.copyfile(src, os.path.join(books + ".part", "%06d-%s" % (i, os.path.basename(src))))
    os.rename(books + ".part", books)
    return books


class Spent:
    """Outputs of earlier turns, kept until the end (see above)."""

    def __init__(self, work):
        self.work = work
        self.root = os.path.join(work, "spent-%d" % os.getpid())
        self.turns = 0

    def set_aside(self, path):
        if os.path.exists(path):
            os.makedirs(self.root, exist_ok=True)
            self.turns += 1
            os.rename(path, os.path.join(self.root, str(self.turns)))

    def remove(self):
        """This bench's outputs and those an interrupted one left."""
        for name in os.listdir(self.work):
            if name.startswith("spent-"):
                shutil.rmtree(os.path.join(self.work, name), ignore_errors=True)


def write_config(path, out, pack):
    with open(path, "w", encoding="utf-8") as f:
        f.write("[AUTO]\nValid=1\nRename=1\nSort=1\nConvert=0\nArchive=%d\nSaveLog=1\n" % (1 if pack else 0))
        f.write("EndDir=%s/end/\nBadDir=%s/bad/\nLogFile=%s/log.txt\n" % (out, out, out))


def convert_case(cli, utils, work, books, case, reps, spent):
    kind = case.split("-")[1]
    out = os.path.join(work, "out")
    files = sorted(os.path.join(books, n) for n in os.listdir(books))
    ours_cmd = [cli, "convert", "--to", kind, "--out", out] + files
    # The same files in one xsltproc process; it writes each result in turn over one output file
    # (given a folder, it writes nothing and fails).
    ref_cmd = ["xsltproc", "--nonet", "-o", out + "/ref/result", os.path.join(utils, kind + ".xsl")] + files
    ours, ref = [], []
    for _ in range(reps):
        spent.set_aside(out)
        os.makedirs(out + "/ref")
        ours.append(timed(ours_cmd, "the conversion failed"))
        ref.append(timed(ref_cmd, "xsltproc failed"))
    spent.set_aside(out)
    return summary(ours, ref)


def summary(ours, ref):
    wall = statistics.median(o[0] / r[0] for o, r in zip(ours, ref))
    cpu = statistics.median(o[1] / r[1] for o, r in zip(ours, ref))
    peak = max(o[2] for o in ours)
    return statistics.median(o[0] for o in ours), statistics.median(r[0] for r in ref), wall, cpu, peak


def run_case(cli, xsd, work, books, archive, case, reps, jobs, spent):
    out = os.path.join(work, "out")
    files = sorted(os.path.join(books, n) for n in os.listdir(books))
    xmllint = ["xmllint", "--noout", "--schema", xsd] + files
    extra = ["--jobs", str(jobs)] if jobs else []
    ours, ref = [], []
    for _ in range(reps):
        spent.set_aside(out)
        os.makedirs(out + "/end")
        os.makedirs(out + "/bad")
        config = os.path.join(out, "config.ini")
        write_config(config, out, case.endswith("+pack"))
        if case.startswith("loose") or case == "mix":
            source = os.path.join(out, "src")
            subprocess.run(["cp", "-al", books, source], check=True)
        else:
            source = archive
        subprocess.run(["sync"])
        # Status 1: some books share a name (the later ones stay where they were) or are invalid.
        ours.append(timed([cli, "run", "--config", config] + extra + [source], "the run ended with an error",
                          ok=(0, 1)))
        # xmllint's status says some books are invalid; that is what the mix is made of.
        ref.append(timed(xmllint, "xmllint failed", ok=(0, 1, 3, 4) if case == "mix" else (0,)))
    spent.set_aside(out)
    return summary(ours, ref)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--counts", default="1000,5000,20000")
    ap.add_argument("--size", type=int, default=100, help="approximate book size in KB (default 100)")
    ap.add_argument("--reps", type=int, default=3)
    ap.add_argument("--bin", default=os.path.join(ROOT, "build", "bin"))
    ap.add_argument("--work", default="/tmp/orvane-bench-run")
    ap.add_argument("--cases", default="loose,loose+pack,archive,archive+pack,mix,convert-txt,convert-html,convert-rtf")
    ap.add_argument("--mix", default="", help="folder of real books for the mix case (skipped without it)")
    ap.add_argument("--jobs", type=int, default=0, help="orvane-cli run --jobs N (default: its own default)")
    args = ap.parse_args()

    cli = os.path.join(args.bin, "orvane-cli")
    xsd = os.path.join(args.bin, "utils", "FictionBook.xsd")
    os.makedirs(args.work, exist_ok=True)
    print("%-14s %6s %10s %10s %10s %10s %12s %8s" % ("case", "rows", "ours s", "xmllint s", "wall ratio",
                                                     "CPU ratio", "ms per row", "peak MB"))
    spent = Spent(args.work)
    try:
        for count in (int(c) for c in args.counts.split(",")):
            books, archive = generate(args.work, count, args.size)
            for case in args.cases.split(","):
                if case.startswith("convert-"):
                    ours, ref, wall, cpu, peak = convert_case(cli, os.path.dirname(xsd), args.work, books, case,
                                                              args.reps, spent)
                elif case == "mix" and not args.mix:
                    continue
                elif case == "mix":
                    ours, ref, wall, cpu, peak = run_case(cli, xsd, args.work, mix_books(args.work, count, args.mix),
                                                          None, case, args.reps, args.jobs, spent)
                else:
                    ours, ref, wall, cpu, peak = run_case(cli, xsd, args.work, books, archive, case, args.reps,
                                                          args.jobs, spent)
                print("%-14s %6d %10.2f %10.2f %10.2f %10.2f %12.3f %8.0f" % (case, count, ours, ref, wall, cpu,
                                                                             ours * 1000 / count, peak), flush=True)
    finally:
        spent.remove()
    return 0


if __name__ == "__main__":
    sys.exit(main())
