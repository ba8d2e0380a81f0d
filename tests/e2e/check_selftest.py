#!/usr/bin/env python3
"""Proves that the runner's outcome checks see changes: in one prefix it takes the "before"
state, makes exactly the kind of change each check exists to catch (without Setup.exe), and
requires every check to fail, then requires all of them to pass on an untouched prefix.

    tests/e2e/check_selftest.py        (prints "check self-test passed" or the problems; exit 1)
"""

from __future__ import annotations

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

import bench  # noqa: E402
import checks  # noqa: E402
from scenario import Check  # noqa: E402

PRINT = r"HKLM\System\CurrentControlSet\Control\Print"
WINDOWS = r"HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows"

CHECKS = [
    Check("no-key", [r"HKLM\SOFTWARE\KESTREL"], "self-test"),
    Check("key", [r"HKLM\SOFTWARE\KestrelSelfTest"], "self-test"),
    Check("value", [WINDOWS, "device", "Probe,winspool,LPT1:"], "self-test"),
    Check("unchanged-key", [PRINT], "self-test"),
    Check("unchanged-file", [r"C:\windows\win.ini"], "self-test"),
    Check("unchanged-tree", [r"C:\windows\system32\spool"], "self-test"),
    Check("file", [r"C:\selftest\present.txt"], "self-test"),
    Check("no-file", [r"C:\windows\system32\spool\drivers\added.dll"], "self-test"),
    Check("no-value", [r"HKLM\SOFTWARE\KestrelSelfTest2", "probe"], "self-test"),
    Check("ini-value", [r"C:\selftest\probe.ini", "Devices", "identity1", "257"], "self-test"),
    Check("default-printer", ["Probe"], "self-test"),
    Check("value", [r"HKLM\SOFTWARE\KestrelSelfTest", "Blank Name", "spaced data"], "self-test"),
    Check("same-file", [r"C:\selftest\copy.dll", r"C:\windows\system32\kernel32.dll"],
          "self-test"),
    Check("service", ["Spooler", "RUNNING"], "self-test"),
    Check("file-contains", [r"C:\selftest\log.txt", "结果: 0"], "self-test"),
]


def change_everything(prefix: bench.Prefix) -> None:
    prefix.reg_add(r"HKLM\SOFTWARE\KESTREL\PORTNAME", "probe", "1")
    prefix.reg_add(PRINT + r"\Printers\Self Test", "Port", "LPT1:")
    win_ini = prefix.host_path(r"C:\windows\win.ini")
    win_ini.write_bytes(win_ini.read_bytes() + b"[SelfTest]\r\nchanged=1\r\n")
    prefix.host_path(r"C:\windows\system32\spool\drivers\added.dll").write_bytes(b"MZ")
    prefix.reg_add(r"HKLM\SOFTWARE\KestrelSelfTest2", "probe", "1")
    write_probe_ini(prefix, b"[Devices]\r\nIdentity1=258\r\n")
    prefix.reg_add(WINDOWS, "device", "Other,winspool,LPT1:")
    prefix.host_path(r"C:\selftest\log.txt").write_text("结果: 1603", encoding="utf-8")
    # A copy that is not the same file: the old one left in place.
    prefix.host_path(r"C:\selftest\copy.dll").write_bytes(b"MZ old")


def write_probe_ini(prefix: bench.Prefix, data: bytes) -> None:
    path = prefix.host_path(r"C:\selftest\probe.ini")
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data)


def make_expected_true(prefix: bench.Prefix) -> None:
    prefix.reg_add(r"HKLM\SOFTWARE\KestrelSelfTest", "probe", "1")
    prefix.reg_add(r"HKLM\SOFTWARE\KestrelSelfTest", "Blank Name", "spaced data")
    prefix.reg_add(WINDOWS, "device", "Probe,winspool,LPT1:")
    present = prefix.host_path(r"C:\selftest\present.txt")
    present.parent.mkdir(parents=True, exist_ok=True)
    present.write_text("here")
    # Names in other case and blanks around the value, as Windows reads them.
    write_probe_ini(prefix, b"[devices]\r\n IDENTITY1 = 257 \r\n")
    prefix.host_path(r"C:\selftest\log.txt").write_text("首行\n结果: 0\n", encoding="utf-8")
    prefix.wine(["net", "start", "Spooler"])
    kernel32 = prefix.host_path(r"C:\windows\system32\kernel32.dll")
    prefix.host_path(r"C:\selftest\copy.dll").write_bytes(kernel32.read_bytes())


def main() -> int:
    problems = []
    with bench.Prefix("check_selftest_changed", "winxp") as prefix:
        before = checks.snapshot(prefix, CHECKS)
        change_everything(prefix)
        failures = checks.verify(prefix, CHECKS, before)
        # The positive checks (key, value, file) fail too: their targets do not exist yet.
        for check in CHECKS:
            if not any(f.startswith(str(check) + ":") for f in failures):
                problems.append(f"{check} did not notice the change")
    with bench.Prefix("check_selftest_untouched", "winxp") as prefix:
        before = checks.snapshot(prefix, CHECKS)
        make_expected_true(prefix)
        problems += [f"untouched prefix: {f}" for f in checks.verify(prefix, CHECKS, before)]
    for problem in problems:
        print(problem)
    print("check self-test " + ("failed" if problems else "passed"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
