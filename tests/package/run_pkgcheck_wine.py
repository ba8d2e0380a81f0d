#!/usr/bin/env python3
"""pkgcheck.exe under Wine reads a package through the real profile reader and the real file
calls; the native pkgcheck reads it through the simulated Windows. For the sample package, the
laid-out package and every package of broken/, both must report the same findings with the same
exit code, so that what the native check finds is what Setup.exe on Windows reads. Prints one
PASS or FAIL line per package and ends with "N passed, N failed".
"""

import json
import os
import subprocess
import sys
import tempfile
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
sys.path.insert(0, str(HERE.parent / "e2e"))
import bench  # noqa: E402
import run_pkgcheck  # noqa: E402

NATIVE = bench.BUILD / "native" / "pkgcheck"


def findings(report):
    return [(f["severity"], f["check"], f["file"], f["line"], f["section"], f["key"],
             f["message"]) for f in report["findings"]]


def native(root, options):
    result = subprocess.run([str(NATIVE), "--json", *options, root], capture_output=True,
                            check=False)
    return result.returncode, json.loads(result.stdout.decode("utf-8"))


def on_wine(prefix, exe, root, options):
    result = prefix.run(exe, ["--json", *options, prefix.windows_path(Path(root))], timeout=60)
    return result.returncode, json.loads(result.stdout)


def main():
    exe = bench.choose_platform().build_dir / "pkgcheck.exe"
    tally = run_pkgcheck.Tally()
    with tempfile.TemporaryDirectory(prefix="pkgcheck-wine-") as temp, \
            bench.Prefix("pkgcheck", version="winxp") as prefix:
        packages = [("sample", str(run_pkgcheck.SAMPLE), []),
                    ("layout", str(bench.package_layout(bench.choose_platform())), ["--layout"])]
        packages += [(case.name, case.root, case.options) for case in run_pkgcheck.cases(temp)]
        for name, root, options in packages:
            expected = native(root, options)
            got = on_wine(prefix, exe, root, options)
            differences = sorted(set(findings(got[1])) ^ set(findings(expected[1])))
            same = got[0] == expected[0] and findings(got[1]) == findings(expected[1])
            tally.record(name, None if same else
                         f"Windows build exit {got[0]}, native exit {expected[0]}" + "".join(
                             f"\n    {'wine  ' if line in findings(got[1]) else 'native'} {line}"
                             for line in differences))
    return tally.close()

if __name__ == "__main__":
    sys.exit(main())
