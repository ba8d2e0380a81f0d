#!/usr/bin/env python3
"""pkgcheck's time on the sample package and on the largest package an author may build (1000
models, see large_package.py), each per model, with the machine's load beside them: a shared
machine stretches the wall-clock time, less so the processor time.

    pkgcheck_bench.py PKGCHECK WORK_FOLDER [--models N]
"""
import argparse
import os
import re
import resource
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import large_package  # noqa: E402


def model_count(package):
    text = (Path(package) / "DRVCONFIG" / "setup.ini").read_text(encoding="gbk")
    return int(re.search(r"^DEVICENUMBER=(\d+)", text, re.M).group(1))


def timed(pkgcheck, package):
    """Wall-clock and processor seconds of one run; the run must find no error."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    run = subprocess.run([pkgcheck, str(package)], capture_output=True, text=True)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    if run.returncode != 0:
        sys.exit("pkgcheck_bench: pkgcheck finds fault with %s:\n%s" % (package, run.stdout))
    return wall, (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("pkgcheck")
    parser.add_argument("work", type=Path)
    parser.add_argument("--models", type=int, default=1000)
    args = parser.parse_args()
    large = args.work / ("package-%d-models" % args.models)
    large_package.write(large, args.models)
    rows = []
    for name, package in (("sample", large_package.SAMPLE), ("generated", large)):
        models = model_count(package)
        wall, cpu = timed(args.pkgcheck, package)
        rows.append((name, models, wall, cpu))
    sample_wall, sample_cpu = rows[0][2] / rows[0][1], rows[0][3] / rows[0][1]
    for name, models, wall, cpu in rows:
        print("pkgcheck, %s package, %d models: %.2f s, %.1f ms per model (%.1f times the"
              " sample's); processor %.2f s, %.1f ms per model (%.1f times the sample's)"
              % (name, models, wall, wall / models * 1000, wall / models / sample_wall, cpu,
                 cpu / models * 1000, cpu / models / sample_cpu))
    print("load average while measured: %.1f (%d processors)" % (os.getloadavg()[0],
                                                                 os.cpu_count()))


if __name__ == "__main__":
    main()
