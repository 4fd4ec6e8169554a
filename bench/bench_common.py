"""What the benchmarks share: generated books in batches of sizes, and timing one process."""

import os
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# (body KB, cover KB) of the batches; the count is shared evenly among them.
BATCHES = [(100, 30), (250, 60), (500, 120), (950, 200)]


def generate(books, count, batches=BATCHES):
    """The paths of `count` books below `books`, generated on first use and kept for later runs."""
    per_batch = max(1, count // len(batches))
    for i, (size, cover) in enumerate(batches):
        out = os.path.join(books, "%04dkb" % size)
        if os.path.isdir(out) and len(os.listdir(out)) == per_batch:
            continue
        print("generating %d books of %d KB in %s" % (per_batch, size, out), file=sys.stderr)
        subprocess.run([sys.executable, os.path.join(ROOT, "bench", "gen_books.py"), out,
                        "--count", str(per_batch), "--size", str(size), "--cover", str(cover),
                        "--seed", str(100 + i)], check=True)
    files = []
    for size, _ in batches:
        d = os.path.join(books, "%04dkb" % size)
        files += sorted(os.path.join(d, f) for f in os.listdir(d) if f.endswith(".fb2"))
    return files


def timed(cmd, failure, ok=(0,)):
    """(wall seconds, CPU seconds, peak resident MB) of one run; the machine may be shared, so CPU
    time counts. Exits with `failure` when the command does not end with a status in `ok`."""
    start = time.perf_counter()
    proc = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - start
    code = os.waitstatus_to_exitcode(status)
    if code not in ok:
        sys.exit("%s exited with %d: %s" % (cmd[0], code, failure))
    return elapsed, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024
