#!/usr/bin/env python3
"""Times the typical installation under Wine (scripts/bench runs it after building).

    benchmarks/wine_bench.py [--rounds N] [--pauses-fresh MS] [--pauses-update MS]

For the typical XP serial installation (TP-R80 on KSCOM1:, default printer) in fresh prefixes:
the time from process start to the first page shown, the time from pressing Finish to the
final message, split into the pauses the installation must make (given by the caller, from
the simulated Windows' clock) and the rest; side by side, the floor: install_floor.exe making
only the same spooler, registry and file calls in one process, and the ratio of the rest to
it. The same with an older serial-port monitor recorded (the in-place update around a real
stop and start of the Spooler service). Then Setup.exe's size and imported DLLs. Prints
figures; exits 0 whatever they are (1 only when a run could not be made at all).
"""

from __future__ import annotations

import argparse
import re
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


def time_setup(platform: bench.Platform, update: bool) -> dict[str, float]:
    """One walk through the wizard; the driver's marks in milliseconds since Setup.exe started."""
    prefix = fresh_prefix("bench_setup", platform)
    try:
        if update:
            older_monitor(prefix)
        e2e = prefix.drive_c / "e2e"
        e2e.mkdir()
        (e2e / "steps.txt").write_text(STEPS, encoding="utf-8")
        result = prefix.run(platform.build_dir / "e2e_driver.exe",
                            ["--setup", r"C:\pkg\Setup.exe", "--dir", r"C:\pkg",
                             "--steps", r"C:\e2e\steps.txt",
                             "--transcript", r"C:\e2e\transcript.txt"], cwd=e2e, timeout=120)
        transcript = (e2e / "transcript.txt").read_text(encoding="utf-8", errors="replace")
        if result.returncode != 0:
            raise RuntimeError(f"the wizard run failed: {transcript[-400:]}")
        return {m.group(1): float(m.group(2))
                for m in re.finditer(r"^time (\S+) ([\d.]+)", transcript, re.M)}
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
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--pauses-fresh", type=float, default=0.0)
    parser.add_argument("--pauses-update", type=float, default=0.0)
    options = parser.parse_args()
    platform = bench.choose_platform()
    for program in ("Setup.exe", "e2e_driver.exe", "install_floor.exe"):
        if not (platform.build_dir / program).exists():
            print(f"wine_bench: {platform.build_dir / program} is missing", file=sys.stderr)
            return 1
    bench.ensure_template(platform)
    runs, floors, updates = [], [], []
    for _ in range(max(1, options.rounds)):
        runs.append(time_setup(platform, update=False))
        floors.append(time_floor(platform))
        updates.append(time_setup(platform, update=True))

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
    print(f"process start to first page shown: {first_page:.0f} ms")
    print(f"typical XP serial installation, Finish to final message: {finish:.0f} ms = "
          f"pauses {options.pauses_fresh:.0f} ms + rest {rest:.0f} ms")
    print(f"  floor (the same spooler, registry and file calls in one process): {floor:.0f} ms; "
          f"rest / floor = {rest / floor:.1f}" if floor > 0 else "  floor: 0 ms")
    print(f"with an older serial-port monitor recorded (spooler stopped and started): "
          f"{update:.0f} ms = pauses {options.pauses_update:.0f} ms + rest {update_rest:.0f} ms")
    report_executables()
    return 0


if __name__ == "__main__":
    sys.exit(main())
