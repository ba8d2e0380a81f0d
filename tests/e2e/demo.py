#!/usr/bin/env python3
"""Shows the wizard on the sample package under Wine (scripts/demo builds first, then runs this).

    tests/e2e/demo.py [--windows VERSION] [--package DIR] [--english]

With $DISPLAY set, the wizard opens on that display (on a Chinese Windows, or an English one
with --english) and the demo ends when the user closes it.
Without one, the wizard runs under Xvfb and the test driver walks the typical run: it accepts
the licence, keeps the receipt printer TP-R80 and ticks "set as default printer", keeps Typical
and the fixed system, opens the About box, keeps the port KSCOM1: at 9600 baud (no USB printer
is attached) and presses Finish. The demo saves a picture of every page, the About box and
the final message in build/demo/ (licence.png, printer.png, mode.png, os.png, port.png,
about.png, finished.png) and prints what was installed; then it walks the same run on an
English Windows (code page 1252) and saves its pictures in build/demo/en/.
"""

from __future__ import annotations

import argparse
import os
import shutil
import signal
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

import bench  # noqa: E402
import checks  # noqa: E402
import scenario  # noqa: E402
from run_e2e import lay_out_package  # noqa: E402
from screenshots import ScreenshotService, rerun_under_xvfb, under_xvfb  # noqa: E402

DEMO = bench.BUILD / "demo"
HEADLESS_STEPS = """\
wait-wizard "{caption}"
screenshot licence
click 1057
click 1
expect 1019 visible
click 1046
screenshot printer
click 1
expect 1066 visible
screenshot mode
click 1
expect 1026 visible
screenshot os
click 1
expect 1049 visible
screenshot port
syscommand 16
expect-dialog "{about}"
screenshot about
dialog-click 1 "{about}"
timeout 20000
click 1
expect-message "{installed}"
screenshot finished
answer ok
expect-exit 0
"""
# The texts the steps wait for, in each language, and where its pictures go.
CHINESE = {"caption": "安装打印机驱动程序", "about": "关于 Tallowin", "installed": "打印机驱动安装成功"}
ENGLISH = {"caption": "Install Printer Driver", "about": "About Tallowin",
           "installed": "The printer driver was installed"}
PICTURES = ["licence", "printer", "mode", "os", "port", "about", "finished"]
PRINTERS = r"HKLM\System\CurrentControlSet\Control\Print\Printers"
NT_PORTS = r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\Ports"


def show_on_display(prefix: bench.Prefix, package: Path) -> int:
    print(f"demo: the wizard is on display {os.environ['DISPLAY']}; close it to end the demo")
    result = prefix.run(package / "Setup.exe", cwd=package, timeout=None)
    print(f"demo: Setup.exe ended with exit code {result.returncode}")
    return 0


def photograph_and_cancel(prefix: bench.Prefix, platform: bench.Platform, package: Path,
                          texts: dict[str, str], folder: Path) -> int:
    steps, transcript, shots = folder / "steps.txt", folder / "transcript.txt", folder / "shots"
    steps.write_text(HEADLESS_STEPS.format(**texts), encoding="utf-8")
    shutil.rmtree(shots, ignore_errors=True)
    shots.mkdir()
    pictures = [folder / f"{name}.png" for name in PICTURES]
    for picture in pictures:
        picture.unlink(missing_ok=True)
    args = ["--setup", prefix.windows_path(package / "Setup.exe"),
            "--dir", prefix.windows_path(package),
            "--steps", prefix.windows_path(steps),
            "--transcript", prefix.windows_path(transcript),
            "--shots", prefix.windows_path(shots)]
    with ScreenshotService(shots, folder) as service:
        result = prefix.run(platform.build_dir / "e2e_driver.exe", args, cwd=package, timeout=60)
    missing = [p.name for p in pictures if not p.exists()]
    if result.returncode != 0 or service.errors or missing:
        print(f"demo: the wizard did not run as expected (driver exit {result.returncode}); "
              f"see {transcript}", file=sys.stderr)
        for error in service.errors:
            print(f"demo: {error}", file=sys.stderr)
        return 1
    print(f"demo: saved {', '.join(p.name for p in pictures)} in "
          f"{folder.relative_to(bench.REPO)}")
    print_installed(prefix)
    return 0


def print_installed(prefix: bench.Prefix) -> None:
    """What the installation left, read back from the prefix's registry."""
    listing = prefix.reg_query(PRINTERS).stdout.splitlines()
    names = [line.strip().rsplit("\\", 1)[-1] for line in listing
             if line.strip().upper().startswith("HKEY_LOCAL_MACHINE") and
             line.strip().lower() != checks.full_key(PRINTERS).lower()]
    for name in names:
        key = PRINTERS + "\\" + name
        port = checks.reg_value(prefix, key, "Port") or "?"
        driver = checks.reg_value(prefix, key, "Printer Driver") or "?"
        print(f"demo: installed printer {name!r} on port {port!r} with driver {driver!r}")
        settings = checks.reg_value(prefix, NT_PORTS, port[port.find("COM"):]) \
            if "COM" in port else None
        if settings:
            print(f"demo: serial settings of {port[port.find('COM'):]} {settings}")
    print(f"demo: default printer {checks.default_printer(prefix)!r}")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--windows", default="winxp", choices=bench.WINDOWS_VERSIONS,
                        help="the Windows version Wine reports (default winxp)")
    parser.add_argument("--package", type=Path, default=bench.REPO / "package",
                        help="the driver package to run the wizard on")
    parser.add_argument("--english", action="store_true",
                        help="with a display: an English Windows (code page 1252)")
    options = parser.parse_args()
    headless = under_xvfb() or not os.environ.get("DISPLAY")
    if headless and not under_xvfb():
        return rerun_under_xvfb()

    # A terminated demo still stops its Wine session and unmounts its prefix.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    platform = bench.choose_platform()
    package = DEMO / "package"
    shutil.rmtree(package, ignore_errors=True)
    lay_out_package(options.package.resolve(), package, platform)
    if headless:
        # The typical run is a serial one: no USB printer attached.
        scenario.apply_ini_edit(package, scenario.IniEdit("KsUsbInt.ini", "Devices", "Count", "0"))
    if not headless:
        with bench.Prefix("demo", options.windows, display=os.environ["DISPLAY"],
                          platform=platform, root=DEMO / "wine", english=options.english) as prefix:
            return show_on_display(prefix, package)
    for texts, folder, english in ((CHINESE, DEMO, False), (ENGLISH, DEMO / "en", True)):
        folder.mkdir(parents=True, exist_ok=True)
        with bench.Prefix("demo", options.windows, display=os.environ["DISPLAY"], unmanaged=True,
                          platform=platform, root=folder / "wine", english=english) as prefix:
            if photograph_and_cancel(prefix, platform, package, texts, folder) != 0:
                return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
