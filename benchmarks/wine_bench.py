#!/usr/bin/env python3
"""Times the typical installation under Wine (scripts/bench runs it after building).

    benchmarks/wine_bench.py [--rounds N] [--pauses-fresh MS] [--pauses-update MS]

For the typical XP serial installation (TP-R80 on KSCOM1:, default printer) in fresh prefixes,
each program timed by the same driver from outside, the order alternating from round to round:
- process start to the first page shown, beside two floors started in the same prefix after a
  warm-up run: startup_floor.exe (OLE, RichEdit 2.0 and a short RTF text in a dialog) and
  page_floor.exe (Setup.exe's own wizard and page templates created, nothing more);
- pressing Finish to the final message, split into the pauses the installation must make (given
  by the caller, from the simulated Windows' clock) and the rest, beside install_floor.exe in a
  prefix of its own: the same spooler, registry and file calls between a click and a final
  message box;
- the same installation with an older serial-port monitor recorded (the in-place update around
  a real stop and start of the Spooler service).
Then Setup.exe's size and imported DLLs. Prints figures; exits 0 whatever they are (1 only when
a run could not be made at all).
"""

from __future__ import annotations

import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))

import bench  # noqa: E402
import scenario  # noqa: E402
from run_e2e import lay_out_package  # noqa: E402

MONITOR_KEY = r"HKLM\System\CurrentControlSet\Control\Print\Monitors\TP Serial Monitor"
STEPS = """\
mark start
wait-wizard
mark first-page
click 1057
click 1
expect 1019 visible
click 1046
click 1
click 1
click 1
expect 1049 visible
timeout 30000
mark finish
click 1
expect-message "打印机驱动安装成功"
mark message
answer ok
expect-exit 0
"""
STARTUP_FLOOR_STEPS = """\
mark start
wait-wizard "Startup floor"
mark first-page
click 1
expect-exit 0
"""
PAGE_FLOOR_STEPS = """\
mark start
wait-wizard "Page floor"
mark first-page
click 2
expect-exit 0
"""
INSTALL_FLOOR_STEPS = """\
wait-wizard "Install floor"
timeout 30000
mark finish
click 1
expect-message "Installed"
mark message
answer ok
expect-exit 0
"""
# The start-up programs that take turns in one prefix, with their steps.
STARTUP_PROGRAMS = (("Setup.exe", STEPS), ("startup_floor.exe", STARTUP_FLOOR_STEPS),
                    ("page_floor.exe", PAGE_FLOOR_STEPS))


def fresh_prefix(name: str, platform: bench.Platform) -> bench.Prefix:
    prefix = bench.Prefix(name, "winxp", platform=platform)
    prefix.open()
    package = prefix.drive_c / "pkg"
    lay_out_package(bench.REPO / "package", package, platform)
    scenario.apply_ini_edit(package, scenario.IniEdit("KsUsbInt.ini", "Devices", "Count", "0"))
    return prefix


def older_monitor(prefix: bench.Prefix) -> None:
    """As an earlier installation left it, with the spooler running as Windows runs it."""
    prefix.wine(["reg", "add", MONITOR_KEY, "/v", "Driver", "/d", "TPSERMON.DLL", "/f"])
    prefix.wine(["reg", "add", MONITOR_KEY, "/v", "DriverVersion", "/t", "REG_DWORD", "/d", "1",
                 "/f"])
    (prefix.drive_c / "windows/system32/TPSERMON.DLL").write_text("version 1")
    prefix.wine(["net", "start", "Spooler"])


def drive(prefix: bench.Prefix, platform: bench.Platform, program: str,
          steps: str) -> dict[str, float]:
    """Runs C:\\pkg\\PROGRAM under the driver; its marks in milliseconds since the start."""
    e2e = prefix.drive_c / "e2e"
    e2e.mkdir(exist_ok=True)
    (e2e / "steps.txt").write_text(steps, encoding="utf-8")
    transcript_file = e2e / "transcript.txt"
    transcript_file.unlink(missing_ok=True)
    result = prefix.run(platform.build_dir / "e2e_driver.exe",
                        ["--setup", "C:\\pkg\\" + program, "--dir", r"C:\pkg",
                         "--steps", r"C:\e2e\steps.txt",
                         "--transcript", r"C:\e2e\transcript.txt"], cwd=e2e, timeout=120)
    transcript = transcript_file.read_text(encoding="utf-8", errors="replace")
    if result.returncode != 0:
        raise RuntimeError(f"the run of {program} failed: {transcript[-400:]}")
    return {m.group(1): float(m.group(2))
            for m in re.finditer(r"^time (\S+) ([\d.]+)", transcript, re.M)}


def warmed_prefix(name: str, platform: bench.Platform, programs: list[str]) -> bench.Prefix:
    """A fresh prefix with PROGRAMS beside Setup.exe, after one unmeasured run: the first
    program with a window in a new Wine session pays for starting the session (its desktop
    process among it)."""
    prefix = fresh_prefix(name, platform)
    for program in set(programs) | {"startup_floor.exe"}:
        if program != "Setup.exe":
            shutil.copy2(platform.build_dir / program, prefix.drive_c / "pkg")
    drive(prefix, platform, "startup_floor.exe", STARTUP_FLOOR_STEPS)
    return prefix


def time_startup_round(platform: bench.Platform, turn: int) -> dict[str, dict[str, float]]:
    """Setup.exe's walk through the wizard and the two start-up floors in one prefix, in the
    order TURN rotates to; the marks of each program in milliseconds since it started."""
    order = STARTUP_PROGRAMS[turn % 3:] + STARTUP_PROGRAMS[:turn % 3]
    prefix = warmed_prefix("bench_setup", platform, [program for program, _ in order])
    try:
        return {program: drive(prefix, platform, program, steps) for program, steps in order}
    finally:
        prefix.close()


def time_update(platform: bench.Platform) -> dict[str, float]:
    prefix = fresh_prefix("bench_update", platform)
    try:
        older_monitor(prefix)
        return drive(prefix, platform, "Setup.exe", STEPS)
    finally:
        prefix.close()


def time_install_floor(platform: bench.Platform) -> tuple[float, float]:
    """The install floor's click to final message, and its calls alone, in milliseconds."""
    prefix = warmed_prefix("bench_floor", platform, ["install_floor.exe"])
    try:
        marks = drive(prefix, platform, "install_floor.exe", INSTALL_FLOOR_STEPS)
        figure = (prefix.drive_c / "pkg" / "install_floor.txt").read_text()
        match = re.search(r"floor_ms ([\d.]+)", figure)
        if not match:
            raise RuntimeError(f"install_floor.exe wrote no figure: {figure!r}")
        return marks["message"] - marks["finish"], float(match.group(1))
    finally:
        prefix.close()


def imports(exe: Path) -> list[str]:
    for objdump in ("i686-w64-mingw32-objdump", "x86_64-w64-mingw32-objdump"):
        try:
            out = subprocess.run([objdump, "-p", str(exe)], capture_output=True, text=True,
                                 timeout=60).stdout
        except OSError:
            continue
        if "DLL Name:" in out:
            return sorted({line.split()[-1] for line in out.splitlines() if "DLL Name:" in line},
                          key=str.lower)
    return []


def report_executables() -> None:
    for build in ("windows", "windows64"):
        exe = bench.BUILD / build / "Setup.exe"
        if exe.is_file():
            size = exe.stat().st_size
            note = "" if size <= 512 * 1024 else "  (over the 512 KB limit)"
            print(f"Setup.exe ({build}): {size} bytes = {size / 1024:.0f} KB{note}; "
                  f"imports {', '.join(imports(exe))}")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rounds", type=int, default=7)
    parser.add_argument("--pauses-fresh", type=float, default=0.0)
    parser.add_argument("--pauses-update", type=float, default=0.0)
    options = parser.parse_args()
    platform = bench.choose_platform()
    for program in ("Setup.exe", "e2e_driver.exe", "install_floor.exe", "startup_floor.exe",
                    "page_floor.exe"):
        if not (platform.build_dir / program).exists():
            print(f"wine_bench: {platform.build_dir / program} is missing", file=sys.stderr)
            return 1
    bench.ensure_template(platform)
    # Alternating: the start-up programs take turns in each round's prefix, and the wizard's
    # Finish and the install floor each run first in every other round.
    startups, floors, floor_calls, updates = [], [], [], []
    for round_number in range(max(1, options.rounds)):
        if round_number % 2 == 1:
            floor, calls = time_install_floor(platform)
        startups.append(time_startup_round(platform, round_number))
        if round_number % 2 == 0:
            floor, calls = time_install_floor(platform)
        floors.append(floor)
        floor_calls.append(calls)
        updates.append(time_update(platform))

    def median(values: list[float]) -> float:
        return statistics.median(values)

    def first_page(program: str) -> float:
        return median([round_marks[program]["first-page"] for round_marks in startups])

    runs = [round_marks["Setup.exe"] for round_marks in startups]
    setup_first_page = first_page("Setup.exe")
    finish = median([r["message"] - r["finish"] for r in runs])
    update = median([r["message"] - r["finish"] for r in updates])
    floor = median(floors)
    rest = finish - options.pauses_fresh
    update_rest = update - options.pauses_update
    print(f"Wine bench: {platform.arch} prefix, {bench.wine_version(platform)}, "
          f"median of {len(runs)} rounds (the driver polls every 20 ms)")
    print(f"process start to first page shown: {setup_first_page:.0f} ms")
    for program, description in (
            ("startup_floor.exe", "start-up floor (OLE, RichEdit 2.0, a short RTF text in a "
                                  "dialog shown)"),
            ("page_floor.exe", "page floor (Setup.exe's wizard and page templates created, "
                               "its licence streamed, nothing else)")):
        value = first_page(program)
        print(f"  {description}: {value:.0f} ms; first page / floor = "
              f"{setup_first_page / value:.2f}")
    print(f"typical XP serial installation, Finish to final message: {finish:.0f} ms = "
          f"pauses {options.pauses_fresh:.0f} ms + rest {rest:.0f} ms")
    print(f"  floor (the same spooler, registry and file calls between a click and a final "
          f"message box): {floor:.0f} ms, the calls alone {median(floor_calls):.0f} ms; "
          f"rest / floor = {rest / floor:.2f}")
    print(f"with an older serial-port monitor recorded (spooler stopped and started): "
          f"{update:.0f} ms = pauses {options.pauses_update:.0f} ms + rest {update_rest:.0f} ms")
    # Other work on the machine spreads Wine's figures widely; the load says how far to trust them.
    print(f"load average while measured: {os.getloadavg()[0]:.1f} ({os.cpu_count()} processors)")
    report_executables()
    return 0


if __name__ == "__main__":
    sys.exit(main())
