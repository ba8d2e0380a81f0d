#!/usr/bin/env python3
"""Proves the USB operations and the sorted port list on real Windows calls, under Wine.

1. usb_probe.exe runs the installer's ProbeUsbDevice and SetUsbDeviceNumber, which load our real
   KsUsbInt.dll by name from the program's folder; each case gives the library its own
   KsUsbInt.ini (the attached printers) and checks the result, the message boxes (recorded by
   the program, answered OK), the writes the printer received and its identity afterwards.
2. combo_order.exe puts the installer's port names (and names that show the ordering rules) into
   a real sorted combo box, through the dialog view Setup.exe uses, and into the unit tests'
   fake view: the orders, exact searches and selections must agree.

Prints one PASS/FAIL line per case and ends with "N passed, N failed". Builds nothing: run
`cmake --build build/windows64` (or build/windows where 32-bit Wine works) first.
"""

from __future__ import annotations

import shutil
import sys
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
REPO = HERE.parents[1]
sys.path.insert(0, str(REPO / "tests" / "e2e"))

import bench  # noqa: E402

# Message 144, as the string table holds it.
ONE_PRINTER_ONLY = "安装过程中，请仅连接一台打印机"

# The set-identity command for n: ESC, the selector "KSUSB", GS 'I' 0x20, n - 1.
def identity_command(n: int) -> str:
    return "1B 4B 53 55 53 42 1D 49 20 " + f"{n - 1:02X}"


def ini_text(**devices: int) -> str:
    return "[Devices]\r\n" + "".join(f"{key}={value}\r\n" for key, value in devices.items())


def read_ini(path: Path) -> dict[str, dict[str, str]]:
    """Sections and keys in upper case, as the profile functions match them."""
    sections: dict[str, dict[str, str]] = {}
    current = None
    if not path.exists():
        return sections
    for raw in path.read_bytes().decode("latin-1").splitlines():
        line = raw.strip()
        if line.startswith("[") and line.endswith("]"):
            current = sections.setdefault(line[1:-1].strip().upper(), {})
        elif "=" in line and current is not None:
            key, value = line.split("=", 1)
            current[key.strip().upper()] = value.strip()
    return sections


class Run:
    """One usb_probe.exe call: its result line, messages and whether the library was let go."""

    def __init__(self, result: bench.RunResult):
        self.returncode = result.returncode
        self.values: dict[str, str] = {}
        self.messages: list[str] = []
        for line in result.stdout.replace("\r\n", "\n").splitlines():
            word, _, rest = line.partition(" ")
            if word == "message":
                self.messages.append(bytes.fromhex(rest).decode("gbk", "replace"))
            else:
                self.values[word] = rest
        self.stderr = result.stderr

    def describe(self) -> str:
        return f"exit {self.returncode}, {self.values}, messages {self.messages}"


class UsbBench:
    def __init__(self, prefix: bench.Prefix, build_dir: Path):
        self.prefix = prefix
        self.exe = build_dir / "tests" / "usb" / "usb_probe.exe"
        self.dll = build_dir / "KsUsbInt.dll"

    def folder(self, name: str, ini: str | None, with_library: bool = True) -> Path:
        """C:\\usb\\<name> with the program, the library and its KsUsbInt.ini."""
        folder = self.prefix.drive_c / "usb" / name
        folder.mkdir(parents=True)
        shutil.copy(self.exe, folder / "usb_probe.exe")
        if with_library:
            shutil.copy(self.dll, folder / "KsUsbInt.dll")
        if ini is not None:
            (folder / "KsUsbInt.ini").write_bytes(ini.encode("ascii"))
        return folder

    def run(self, folder: Path, *args: str) -> Run:
        result = self.prefix.run(self.prefix.windows_path(folder / "usb_probe.exe"), list(args),
                                 cwd=folder, timeout=60)
        return Run(result)


def expect_probe(run: Run, result: int, port: int, messages: list[str]) -> list[str]:
    problems = []
    if run.returncode != 0:
        problems.append(f"usb_probe failed: {run.describe()} {run.stderr[-500:]}")
        return problems
    if run.values.get("result") != str(result) or run.values.get("port") != str(port):
        problems.append(f"expected result {result} port {port}, got {run.describe()}")
    if run.messages != messages:
        problems.append(f"expected messages {messages}, got {run.messages}")
    if run.values.get("library") != "unloaded":
        problems.append("KsUsbInt.dll is still loaded after the probe")
    return problems


def case_no_library(usb: UsbBench) -> list[str]:
    folder = usb.folder("no_library", None, with_library=False)
    return expect_probe(usb.run(folder, "probe"), -1, 0, ["Can not load KsUsbInt.dll"])


def case_no_file(usb: UsbBench) -> list[str]:
    folder = usb.folder("no_file", None)
    return expect_probe(usb.run(folder, "probe"), -1, 0, [])


def case_one_printer(usb: UsbBench) -> list[str]:
    folder = usb.folder("one_printer", ini_text(Count=1, Identity1=258))
    return expect_probe(usb.run(folder, "probe"), 258, 3, [])


def case_two_printers(usb: UsbBench) -> list[str]:
    folder = usb.folder("two_printers", ini_text(Count=2, Identity1=258, Identity2=300))
    return expect_probe(usb.run(folder, "probe"), -2, -1, [ONE_PRINTER_ONLY])


def case_descriptor_failure(usb: UsbBench) -> list[str]:
    folder = usb.folder("descriptor_failure", ini_text(Count=1, Identity1=258, DescriptorFails=1))
    return expect_probe(usb.run(folder, "probe"), -1, 0, ["Get Device ID error"])


def case_renumbering(usb: UsbBench) -> list[str]:
    folder = usb.folder("renumbering", ini_text(Count=1, Identity1=258))
    renumber = usb.run(folder, "renumber", "2")
    problems = []
    if renumber.returncode != 0 or renumber.messages:
        problems.append(f"renumber 2: {renumber.describe()}")
    if renumber.values.get("library") != "unloaded":
        problems.append("KsUsbInt.dll is still loaded after renumbering")
    ini = read_ini(folder / "KsUsbInt.ini")
    writes = ini.get("WRITES", {})
    if writes.get("COUNT") != "1" or writes.get("WRITE1") != "0:" + identity_command(2):
        problems.append(f"expected one write 0:{identity_command(2)}, the file has {writes}")
    if ini.get("DEVICES", {}).get("IDENTITY1") != "257":
        problems.append(f"expected Identity1=257, the file has {ini.get('DEVICES')}")
    problems += expect_probe(usb.run(folder, "probe"), 257, 2, [])
    return problems


def case_renumber_failures(usb: UsbBench) -> list[str]:
    problems = []
    folder = usb.folder("write_fails", ini_text(Count=1, Identity1=258, WriteFails=1))
    run = usb.run(folder, "renumber", "2")
    if run.messages != ["write ID error"]:
        problems.append(f"write failure: {run.describe()}")
    if "WRITES" in read_ini(folder / "KsUsbInt.ini"):
        problems.append("a failed write was recorded")
    folder = usb.folder("no_device", ini_text(Count=0))
    run = usb.run(folder, "renumber", "2")
    if run.messages != ["Can not find USB device."]:
        problems.append(f"no device: {run.describe()}")
    folder = usb.folder("out_of_range", ini_text(Count=1, Identity1=258))
    for n in ("0", "9"):
        run = usb.run(folder, "renumber", n)
        if run.returncode != 0 or run.messages:
            problems.append(f"renumber {n}: {run.describe()}")
    if "WRITES" in read_ini(folder / "KsUsbInt.ini"):
        problems.append("n = 0 or 9 sent something")
    return problems


def case_package_pair(usb: UsbBench, package: Path) -> list[str]:
    """The DLL and KsUsbInt.ini of the laid-out package: one printer, on port 1."""
    if not (package / "KsUsbInt.ini").exists() or not (package / "KsUsbInt.dll").exists():
        return [f"{package} lacks KsUsbInt.dll or KsUsbInt.ini"]
    folder = usb.folder("package", (package / "KsUsbInt.ini").read_text("ascii"),
                        with_library=False)
    shutil.copy(package / "KsUsbInt.dll", folder / "KsUsbInt.dll")
    run = usb.run(folder, "probe")
    if run.returncode != 0 or run.messages or run.values.get("port") != "1":
        return [f"the package's printer should probe as port 1: {run.describe()}"]
    return []


def case_product_package() -> list[str]:
    """build/package, the i686 product's layout, ships the 32-bit library and its file."""
    package = bench.BUILD / "package"
    if not (bench.BUILD / "windows" / "Setup.exe").exists():
        return ["build/windows is not built"]
    dll = package / "KsUsbInt.dll"
    ini = package / "KsUsbInt.ini"
    if not dll.exists() or not ini.exists():
        return [f"{package} lacks KsUsbInt.dll or KsUsbInt.ini"]
    data = dll.read_bytes()
    pe = int.from_bytes(data[0x3C:0x40], "little")
    if data[:2] != b"MZ" or data[pe:pe + 6] != b"PE\0\0\x4c\x01":
        return [f"{dll} is not a 32-bit x86 DLL"]
    if ini.read_bytes() != (REPO / "usbsim" / "KsUsbInt.ini").read_bytes():
        return [f"{ini} differs from usbsim/KsUsbInt.ini"]
    return []


def port_names(model: str, nt: bool) -> list[str]:
    fixed = ([f"KSCOM{i}:" for i in range(1, 9)] + ["LPT1:", "LPT2:", "LPT3:"] if nt
             else ["COM1:", "COM2:", "LPT1:"])
    return fixed + [f"USB_{model}_{n}" for n in range(1, 5)]


# Each set is added in this order, which is not the sorted one.
COMBO_SETS = {
    "win98-ports": list(reversed(port_names("M", nt=False))),
    "nt-ports": list(reversed(port_names("M", nt=True))),
    "nt-ports-TP-80(A)": port_names("TP-80(A)", nt=True)[::2] + port_names("TP-80(A)", True)[1::2],
    "nt-ports-lowercase": [name for name in reversed(port_names("tp58", nt=True))],
    "mixed-case-usb": ["usb_m_2", "USB_M_1", "Usb_M_4", "uSB_m_3", "LPT1:", "kscom1:"],
    "punctuation": ["USBA", "USB_A", "COM10:", "COM1:", "x-z", "xy", "x'y", "xz", "x-y", "x y",
                    "x!y", "x#y", "x(y", "x.y", "x:y", "x@y", "x[y", "x_y", "x{y", "x~y", "x+y",
                    "x<y", "x=y", "x0y", "b1", "b-2", "aB", "ab"],
}


def combo_cases(prefix: bench.Prefix, build_dir: Path) -> list[tuple[str, list[str], float]]:
    exe = build_dir / "tests" / "usb" / "combo_order.exe"
    folder = prefix.drive_c / "combo"
    folder.mkdir()
    shutil.copy(exe, folder / "combo_order.exe")
    (folder / "names.txt").write_text("\r\n--\r\n".join("\r\n".join(names)
                                                       for names in COMBO_SETS.values()))
    started = time.monotonic()
    result = prefix.run(prefix.windows_path(folder / "combo_order.exe"),
                        ["C:\\combo\\names.txt"], cwd=folder, timeout=60)
    seconds = time.monotonic() - started
    # Per set: real order, find, select; then fake order, find, select.
    lines = [line.split("\t") for line in result.stdout.replace("\r\n", "\n").splitlines()]
    cases = []
    for index, name in enumerate(COMBO_SETS):
        block = lines[6 * index:6 * index + 6]
        real, fake = block[:3], block[3:]
        problems = []
        if len(block) != 6 or any(line[0] != f"real {what}" for line, what in
                                  zip(real, ("order", "find", "select"))):
            problems.append(f"combo_order gave no answer (exit {result.returncode}): "
                            f"{result.stderr[-300:]}")
        elif sorted(real[0][1:]) != sorted(COMBO_SETS[name]):
            problems.append(f"the real list lost or changed names: {real[0][1:]}")
        else:
            for real_line, fake_line in zip(real, fake):
                if real_line[1:] != fake_line[1:]:
                    problems.append(f"{real_line[0]}: {real_line[1:]}")
                    problems.append(f"{fake_line[0]}: {fake_line[1:]}")
        cases.append((f"sorted-combo {name}", problems, seconds / len(COMBO_SETS)))
    return cases


def package_dir(build_dir: Path) -> Path:
    """build/windows -> build/package, build/windows64 -> build/package64."""
    return build_dir.parent / build_dir.name.replace("windows", "package", 1)


def main() -> int:
    platform = bench.choose_platform()
    missing = [p for p in (platform.build_dir / "KsUsbInt.dll",
                           platform.build_dir / "tests" / "usb" / "usb_probe.exe",
                           platform.build_dir / "tests" / "usb" / "combo_order.exe")
               if not p.exists()]
    if missing:
        print("FAIL build: missing " + ", ".join(str(p) for p in missing))
        print("0 passed, 1 failed")
        return 1

    started = time.monotonic()
    results: list[tuple[str, list[str], float]] = []
    with bench.Prefix("usb_wine", version="winxp", platform=platform) as prefix:
        usb = UsbBench(prefix, platform.build_dir)
        cases = [
            ("no-library", lambda: case_no_library(usb)),
            ("no-file", lambda: case_no_file(usb)),
            ("one-printer-258-port-3", lambda: case_one_printer(usb)),
            ("two-printers-message-144", lambda: case_two_printers(usb)),
            ("descriptor-failure", lambda: case_descriptor_failure(usb)),
            ("renumbering-to-2", lambda: case_renumbering(usb)),
            ("renumbering-failures", lambda: case_renumber_failures(usb)),
            ("package-printer-port-1",
             lambda: case_package_pair(usb, package_dir(platform.build_dir))),
            ("product-package-holds-the-library", case_product_package),
        ]
        for name, case in cases:
            t0 = time.monotonic()
            try:
                problems = case()
            except Exception as error:  # a broken case must not hide the others
                problems = [f"{type(error).__name__}: {error}"]
            results.append((name, problems, time.monotonic() - t0))
        results += combo_cases(prefix, platform.build_dir)

    passed = failed = 0
    for name, problems, seconds in results:
        if problems:
            failed += 1
            print(f"FAIL {name} ({seconds:.1f} s)")
            for problem in problems:
                print("    " + problem)
        else:
            passed += 1
            print(f"PASS {name} ({seconds:.1f} s)")
    print(f"USB and combo-box proof under Wine ({platform.arch}) took "
          f"{time.monotonic() - started:.1f} s", file=sys.stderr)
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
