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
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# (body KB, cover KB) of the batches; the count is shared evenly among them.
BATCHES = [(100, 30), (250, 60), (500, 120), (950, 200)]


def generate(books, count):
    per_batch = max(1, count // len(BATCHES))
    for i, (size, cover) in enumerate(BATCHES):
        out = os.path.join(books, "%04dkb" % size)
        if os.path.isdir(out) and len(os.listdir(out)) == per_batch:
            continue
        print("generating %d books of %d KB in %s" % (per_batch, size, out), file=sys.stderr)
        subprocess.run([sys.executable, os.path.join(ROOT, "bench", "gen_books.py"), out,
                        "--count", str(per_batch), "--size", str(size), "--cover", str(cover),
                        "--seed", str(100 + i)], check=True)
    files = []
    for size, _ in BATCHES:
        d = os.path.join(books, "%04dkb" % size)
        files += sorted(os.path.join(d, f) for f in os.listdir(d) if f.endswith(".fb2"))
    return files


def timed(cmd):
    """(wall seconds, CPU seconds) of one run; the machine may be shared, so CPU time counts."""
    start = time.perf_counter()
    proc = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - start
    proc.returncode = os.waitstatus_to_exitcode(status)
    if proc.returncode != 0:
        sys.exit("%s exited with %d: not every book was found valid" % (cmd[0], proc.returncode))
    return elapsed, usage.ru_utime + usage.ru_stime


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
    timed(ours)  # warm the page cache
    runs_ours, runs_ref = [], []
    for _ in range(args.runs):
        runs_ours.append(timed(ours))
        runs_ref.append(timed(reference))
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
