#!/usr/bin/env python3
"""Times the typical installation under Wine (scripts/bench runs it after building).

    benchmarks/wine_bench.py [--rounds N] [--pauses-fresh MS] [--pauses-update MS]

For the typical XP serial installation (TP-R80 on KSCOM1:, default printer) in fresh prefixes,
the time from process start to the first page shown beside the start-up floor
(startup_floor.exe: OLE, RichEdit 2.0 and a short RTF text in a dialog; in the same prefix after
a warm-up run, before the wizard in one round and after it in the next), the time from pressing
Finish to the final message, split into the pauses the installation must make (given by the
caller, from the simulated Windows' clock) and the rest; side by side, the floor:
install_floor.exe making only the same spooler, registry and file calls in one process, and
the ratio of the rest to it. The same with an older serial-port monitor recorded (the in-place
update around a real stop and start of the Spooler service). Then Setup.exe's size and imported
DLLs. Prints figures; exits 0 whatever they are (1 only when a run could not be made at all).
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


def time_setup(platform: bench.Platform, update: bool,
               floor_first: bool | None = None) -> tuple[dict[str, float], float]:
    """One walk through the wizard; its marks in milliseconds since Setup.exe started. With
    floor_first given, the start-up floor too, in the same prefix before or after the wizard,
    and its time to the dialog shown (else 0)."""
    prefix = fresh_prefix("bench_setup", platform)
    try:
        if update:
            older_monitor(prefix)
        floor = 0.0
        if floor_first is not None:
            shutil.copy2(platform.build_dir / "startup_floor.exe", prefix.drive_c / "pkg")
            # The first program with a window in a new Wine session pays for starting the
            # session (its desktop process among it): a warm-up run bears that for both.
            drive(prefix, platform, "startup_floor.exe", STARTUP_FLOOR_STEPS)
        if floor_first:
            floor = drive(prefix, platform, "startup_floor.exe", STARTUP_FLOOR_STEPS)["first-page"]
        marks = drive(prefix, platform, "Setup.exe", STEPS)
        if floor_first is False:
            floor = drive(prefix, platform, "startup_floor.exe", STARTUP_FLOOR_STEPS)["first-page"]
        return marks, floor
    finally:
        prefix.close()


def time_floor(platform: bench.Platform) -> float:
    prefix = fresh_prefix("bench_floor", platform)
    try:
        result = prefix.run(platform.build_dir / "install_floor.exe", cwd=prefix.drive_c / "pkg",
                            timeout=120)
        match = re.search(r"floor_ms ([\d.]+)", result.stdout)
        if result.returncode != 0 or not match:
            raise RuntimeError(f"install_floor.exe failed: {result.stdout} {result.stderr}")
        return float(match.group(1))
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
    for program in ("Setup.exe", "e2e_driver.exe", "install_floor.exe", "startup_floor.exe"):
        if not (platform.build_dir / program).exists():
            print(f"wine_bench: {platform.build_dir / program} is missing", file=sys.stderr)
            return 1
    bench.ensure_template(platform)
    # Alternating: each round the wizard beside its start-up floor (which one first alternates
    # too), then the installation's floor, then the update.
    runs, startup_floors, floors, updates = [], [], [], []
    for round_number in range(max(1, options.rounds)):
        marks, startup_floor = time_setup(platform, update=False,
                                          floor_first=round_number % 2 == 1)
        runs.append(marks)
        startup_floors.append(startup_floor)
        floors.append(time_floor(platform))
        updates.append(time_setup(platform, update=True)[0])

    def median(values: list[float]) -> float:
        return statistics.median(values)

    first_page = median([r["first-page"] for r in runs])
    finish = median([r["message"] - r["finish"] for r in runs])
    update = median([r["message"] - r["finish"] for r in updates])
    floor = median(floors)
    rest = finish - options.pauses_fresh
    update_rest = update - options.pauses_update
    print(f"Wine bench: {platform.arch} prefix, {bench.wine_version(platform)}, "
          f"median of {len(runs)} rounds (the driver polls every 20 ms)")
    startup_floor = median(startup_floors)
    print(f"process start to first page shown: {first_page:.0f} ms")
    print(f"  start-up floor (OLE, RichEdit 2.0, a short RTF text in a dialog shown): "
          f"{startup_floor:.0f} ms; first page / floor = {first_page / startup_floor:.2f}"
          if startup_floor > 0 else "  start-up floor: 0 ms")
    print(f"typical XP serial installation, Finish to final message: {finish:.0f} ms = "
          f"pauses {options.pauses_fresh:.0f} ms + rest {rest:.0f} ms")
    print(f"  floor (the same spooler, registry and file calls in one process): {floor:.0f} ms; "
          f"rest / floor = {rest / floor:.2f}" if floor > 0 else "  floor: 0 ms")
    print(f"with an older serial-port monitor recorded (spooler stopped and started): "
          f"{update:.0f} ms = pauses {options.pauses_update:.0f} ms + rest {update_rest:.0f} ms")
    # Other work on the machine spreads Wine's figures widely; the load says how far to trust them.
    print(f"load average while measured: {os.getloadavg()[0]:.1f} ({os.cpu_count()} processors)")
    report_executables()
    return 0


if __name__ == "__main__":
    sys.exit(main())
