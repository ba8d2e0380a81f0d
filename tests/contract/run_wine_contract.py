#!/usr/bin/env python3
"""Runs the contract suites under Wine and compares the records with the simulation's.

1. contract_tests.exe (the registry, file, service and spooler contracts, built for Windows) in
   a fresh prefix that reports Windows XP, and its Windows 98 tests in one that reports win98.
2. package_dlls_test.exe from inside a copy of the laid-out package (build/package or
   build/package64, whichever belongs to the bench's build): the package's real DLLs under
   Wine's spooler.
3. records_dump.exe from inside a copy of the sample package, reading the INI files through
   the real profile reader on every target system, against the native records_dump reading the
   same files through the simulated one: the two outputs must be identical.

Prints one PASS/FAIL line per check and ends with "N passed, N failed".
"""

from __future__ import annotations

import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
REPO = HERE.parents[1]
sys.path.insert(0, str(REPO / "tests" / "e2e"))

import bench  # noqa: E402

PACKAGE = REPO / "package"
NATIVE_DUMP = REPO / "build" / "native" / "tests" / "contract" / "records_dump"


def gtest_counts(name: str, result: bench.RunResult) -> tuple[int, int, list[str]]:
    """(passed, failed, lines to show) from a GoogleTest program's run."""
    output = result.stdout
    passed = re.search(r"\[  PASSED  \] (\d+) test", output)
    failed = re.search(r"\[  FAILED  \] (\d+) test", output)
    lines = [line for line in output.splitlines() if line.startswith("[  FAILED  ]")]
    if result.timed_out:
        return 0, 1, [f"{name} timed out"]
    if not passed and not failed:
        return 0, 1, [f"{name} gave no summary (exit {result.returncode})",
                      output[-2000:], result.stderr[-2000:]]
    if result.returncode != 0 and not failed:
        # A crash after the summary, or a summary of a run that did not finish.
        return 0, 1, [f"{name} ended with exit {result.returncode}", result.stderr[-2000:]]
    return (int(passed.group(1)) if passed else 0, int(failed.group(1)) if failed else 0, lines)


def run_contract_suite(platform: bench.Platform, version: str,
                       gtest_filter: str) -> tuple[int, int, list[str]]:
    exe = platform.build_dir / "tests" / "contract" / "contract_tests.exe"
    with bench.Prefix(f"contract_{version}", version=version, platform=platform) as prefix:
        # Wine run by root does not enforce read-only files; the file contract says so.
        prefix.env["CONTRACT_WINE_AS_ROOT"] = "1" if os.geteuid() == 0 else "0"
        result = prefix.run(exe, ["--gtest_brief=1", f"--gtest_filter={gtest_filter}"],
                            timeout=300)
    return gtest_counts("contract_tests.exe", result)


def run_package_dlls(platform: bench.Platform) -> tuple[int, int, list[str]]:
    exe = platform.build_dir / "tests" / "contract" / "package_dlls_test.exe"
    layout = bench.package_layout(platform)
    if not (layout / "Setup.exe").is_file():
        return 0, 1, [f"no laid-out package in {layout}"]
    with bench.Prefix("package_dlls", version="winxp", platform=platform) as prefix:
        package = prefix.drive_c / "pkg"
        shutil.copytree(layout, package)
        result = prefix.run(exe, ["--gtest_brief=1"], cwd=package, timeout=300)
    return gtest_counts("package_dlls_test.exe", result)


def run_records_comparison(platform: bench.Platform) -> list[str]:
    """Returns the differences (empty when the outputs agree)."""
    native = subprocess.run([str(NATIVE_DUMP), str(PACKAGE)], capture_output=True, timeout=60)
    if native.returncode != 0:
        return [f"native records_dump failed: {native.stderr.decode(errors='replace')}"]
    exe = platform.build_dir / "tests" / "contract" / "records_dump.exe"
    with bench.Prefix("records_contract", version="winxp", platform=platform) as prefix:
        package = prefix.drive_c / "PACKAGE"
        shutil.copytree(PACKAGE / "DRVCONFIG", package / "DRVCONFIG")
        shutil.copy(exe, package / "records_dump.exe")
        result = prefix.run(prefix.windows_path(package / "records_dump.exe"), cwd=package,
                            timeout=120)
    if result.returncode != 0:
        return [f"records_dump.exe failed (exit {result.returncode}): {result.stderr[-1000:]}"]
    ours = native.stdout.decode("latin-1").splitlines()
    wine = result.stdout.replace("\r\n", "\n").splitlines()
    if len(ours) < 10:
        return ["the native dump is implausibly short"]
    differences = [f"line {i + 1}: sim {a!r} / windows {b!r}"
                   for i, (a, b) in enumerate(zip(ours, wine)) if a != b]
    if len(ours) != len(wine):
        differences.append(f"sim gave {len(ours)} lines, windows {len(wine)}")
    return differences


def main() -> int:
    platform = bench.choose_platform()
    passed = failed = 0

    runs = [
        ("contract-under-wine-winxp", lambda: run_contract_suite(platform, "winxp", "-Windows98Contract.*")),
        ("contract-under-wine-win98",
         lambda: run_contract_suite(platform, "win98", "Windows98Contract.*")),
        ("package-dlls-under-wine", lambda: run_package_dlls(platform)),
    ]
    for name, run in runs:
        p, f, details = run()
        passed += p
        failed += f
        print(("PASS" if f == 0 else "FAIL") + f" {name}: {p} passed, {f} failed")
        for line in details:
            print("    " + line)

    differences = run_records_comparison(platform)
    if differences:
        failed += 1
        print("FAIL records-through-real-profile-reader:")
        for line in differences[:20]:
            print("    " + line)
    else:
        passed += 1
        print("PASS records-through-real-profile-reader")

    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
