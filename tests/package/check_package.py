#!/usr/bin/env python3
"""Checks that a driver package is complete and that Setup.exe can read it as intended.

Reads DRVCONFIG\\setup.ini and the four family files the way the installer does (names of
sections and keys without regard to case, blanks trimmed, surrounding quotes removed, "0" for
anything missing, values cut to the installer's buffer sizes) and fails, naming every fault,
when a file that a model's driver section or the port-monitor sections name for a target
system is missing from the folder that serves that system (win98, winnt, win2003), when the
model list, USB port list or a model's sections disagree with what the installer expects, or
when a value would be read differently from what it looks like (0x10 reads as 0, a comment
after a value is part of it, a duplicated section or key hides the second one).

Usage: check_package.py [--with-program] [--with-help] [PACKAGE_DIR]
  PACKAGE_DIR      the package folder (default: package/ of this repository)
  --with-program   also require Setup.exe beside DRVCONFIG (a laid-out package)
  --with-help      also require Guide.CHM with the help window title the installer looks for
Prints "PASS package-complete" and exits 0, or "FAIL package-complete: ..." followed by one
line per fault and exits 1.
"""

import os
import re
import sys

# Target systems in installer order: section suffixes and the package folder of each.
TARGETS = [
    # (TargetOs, driver suffix, printer-info suffix, device-mode suffix, folder, label)
    (0, "98", "PRINTERINFO98", "DEVMODE98", "win98", "Windows 98/Me"),
    (1, "NT", "PRINTERINFONT", "DEVMODENT", "winnt", "Windows NT 4"),
    (2, "2K", "PRINTERINFO2K", "DEVMODE2K", "winnt", "Windows 2000"),
    (3, "XP", "PRINTERINFO2K", "DEVMODE2K", "winnt", "Windows XP"),
    (4, "2003", "PRINTERINFO2003", "DEVMODE2003", "win2003", "Windows Server 2003"),
]
WIN98, NT4, WIN2000, WINXP, SERVER2003 = range(5)

# Family suffixes in the order the installer tests them, and the family files they select.
FAMILIES = [
    ("-ReceiptPrinter", "setup_receipt.ini"),
    ("-TicketPrinter", "setup_ticket.ini"),
    ("-LabelPrinter", "setup_lable.ini"),
    ("-EmbeddedPrinter", "setup_embedded.ini"),
]
COMMON_FILE = "setup.ini"
FLAVOURS = ("STD", "GDI")
FLAVOUR_USE = {"STD": "serial ports", "GDI": "parallel and USB ports"}

BAUD_RATES = (110, 300, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200)
PORT_KEYS = ("AdvancedSetup", "System2003Supported", "BaudRate", "USBSUPPORTED", "LPTDEFAULT")
INFO_TEXT_KEYS = ("SERVERNAME", "COMMENT", "LOCATION", "SEPFILE", "DATATYPE", "PARAMETERS",
                  "SECURITYDESCRIPTOR")
INFO_NUMBER_KEYS = ("ATTRIBUTES", "PRIORITY", "DEFAULTPRIORITY", "STARTTIME", "UNTILTIME",
                    "STATUS", "CJOBS", "AVERAGEPPM")
DEVMODE_SHORT_KEYS = ("DRIVERVERSION", "DMDRIVEREXTRA", "ORIENTATION", "PAPERSIZE",
                      "PAPERLENGTH", "PAPERWIDTH", "SCALE", "COPIES", "DEFAULTSOURCE",
                      "PRINTQUALITY", "COLOR", "DUPLEX", "YRESOLUTION", "TTOPTION", "COLLATE")
DEVMODE_LONG_KEYS = ("ICMMETHOD", "ICMINTENT", "MEDIATYPE", "DITHERTYPE", "FIELDS")

# Files the installer itself names: universal-driver support files (Windows 2000 and later)
# and the Windows 98/Me universal-driver files it always places or falls back to.
UNIDRV_SUPPORT = ("UNIRES.DLL", "STDNAMES.GPD", "TTFSUB.GPD")
DEPENDENT_FIXED = ("TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD")
WIN98_FIXED = ("ICONLIB.DLL", "UNIDRV.DLL")
LANGUAGE_MONITOR = "Language Monitor"
STANDARD_PROCESSOR = "WinPrint"

# Capacities (characters) of the installer's buffers.
FILE_CAPACITY = 199
NAME_CAPACITY = 49
USB_NAME_CAPACITY = 29
DEVMODE_CAPACITY = 19
DEVICE_NAME_CHARS = 31          # dmDeviceName
ALTERNATE_NAME_CHARS = 18       # files that may be copied as "n" + name (20-byte field)
DEPENDENT_LIST_BYTES = 200
HELP_TITLE = "打印机驱动安装手册"

PROFILE_BLANKS = " \t\r\n\v\f"
PLAIN_DECIMAL = re.compile(r"^[+-]?[0-9]+$")


def decimal(text):
    """The installer's conversion: blanks, one sign, digits up to the first non-digit."""
    match = re.match(r"^[ \t]*([+-]?)([0-9]*)", text)
    digits = match.group(2)
    if not digits:
        return 0
    value = int(digits)
    return -value if match.group(1) == "-" else value


def absent(value):
    """A value whose first character is 0 (the default of every key) counts as not given."""
    return value.startswith("0")


class IniFile:
    """One INI file as the Windows profile reader sees it."""

    def __init__(self, path, display, problems):
        self.display = display
        self.sections = {}      # lower-case name -> (name as written, {lower key: (key, value)})
        self.order = []         # section names as written, in file order
        self._load(path, problems)

    def _load(self, path, problems):
        with open(path, "rb") as handle:
            data = handle.read()
        if data.startswith(b"\xef\xbb\xbf") or data.startswith(b"\xff\xfe"):
            problems.append(f"{self.display}: starts with a byte-order mark; save it as plain "
                            "ANSI text (code page 936) or the first section is not found")
            data = data[3:] if data.startswith(b"\xef\xbb\xbf") else data
        try:
            text = data.decode("gbk")
        except UnicodeDecodeError as error:
            problems.append(f"{self.display}: not valid code page 936 text ({error})")
            text = data.decode("gbk", errors="replace")
        current = None
        for number, raw in enumerate(text.split("\n"), start=1):
            line = raw.strip(PROFILE_BLANKS)
            if not line or line.startswith(";"):
                continue
            where = f"{self.display} line {number}"
            if line.startswith("[") and line.rfind("]") > 0:
                name = line[1:line.rfind("]")].strip(PROFILE_BLANKS)
                if name.lower() in self.sections:
                    problems.append(f"{where}: section [{name}] appears a second time; the "
                                    "installer reads only the first")
                    current = {}
                else:
                    current = {}
                    self.sections[name.lower()] = (name, current)
                    self.order.append(name)
                continue
            if current is None:
                problems.append(f"{where}: '{line}' stands before the first section")
                continue
            key, sep, value = line.partition("=")
            key = key.strip(PROFILE_BLANKS)
            value = value.strip(PROFILE_BLANKS)
            if not sep:
                problems.append(f"{where}: '{line}' has no '='")
                continue
            if key.lower() in current:
                problems.append(f"{where}: key {key} appears a second time in its section; "
                                "the installer reads only the first")
                continue
            if re.search(r"\s;", value):
                problems.append(f"{where}: {key}={value} seems to carry a comment after the "
                                "value; the installer reads the comment as part of the value")
            current[key.lower()] = (key, value)

    def has_section(self, section):
        return section.lower() in self.sections

    def raw(self, section, key):
        """The value as written (quotes removed), or None when the key is missing."""
        entry = self.sections.get(section.lower(), (None, {}))[1].get(key.lower())
        if entry is None:
            return None
        value = entry[1]
        if len(value) >= 2 and value[0] == value[-1] and value[0] in "\"'":
            value = value[1:-1]
        return value

    def keys(self, section):
        return [key for key, _ in self.sections.get(section.lower(), (None, {}))[1].values()]


class PackageCheck:
    def __init__(self, root, with_program=False, with_help=False):
        self.root = root
        self.with_program = with_program
        self.with_help = with_help
        self.problems = []
        self.notes = []
        self.used_files = {}    # folder -> set of file names referenced
        self.missing = {}       # (folder, file name) -> where it is named

    # -- helpers ---------------------------------------------------------------------------

    def fail(self, text):
        self.problems.append(text)

    def read(self, ini, section, key, capacity):
        """The installer's read: "0" when missing, cut to the capacity (reported)."""
        value = ini.raw(section, key)
        if value is None:
            return "0"
        if len(value.encode("gbk", errors="replace")) > capacity:
            self.fail(f"{ini.display} [{section}] {key}: '{value}' is longer than the "
                      f"{capacity} characters the installer reads")
            value = value[:capacity]
        return value

    def number(self, ini, section, key, capacity, required=True):
        value = ini.raw(section, key)
        if value is None:
            if required:
                self.fail(f"{ini.display} [{section}] {key} is missing (reads as 0)")
            return 0
        value = self.read(ini, section, key, capacity)
        if not PLAIN_DECIMAL.match(value.strip(PROFILE_BLANKS)):
            self.fail(f"{ini.display} [{section}] {key}={value} is not a plain decimal number; "
                      f"the installer reads it as {decimal(value)}")
        return decimal(value)

    def folder_path(self, folder):
        return os.path.join(self.root, folder)

    def need_file(self, folder, name, why):
        """Require the file name in the folder, spelled exactly as named."""
        self.used_files.setdefault(folder, set()).add(name.lower())
        directory = self.folder_path(folder)
        if not os.path.isdir(directory):
            return  # reported once per folder
        present = os.listdir(directory)
        if name in present and os.path.isfile(os.path.join(directory, name)):
            return
        self.missing.setdefault((folder, name), []).append(why)

    def report_missing(self):
        """One line per missing file, with every place that names it."""
        for (folder, name), whys in self.missing.items():
            shown = "; ".join(whys[:4]) + (f"; and {len(whys) - 4} more" if len(whys) > 4 else "")
            others = [entry for entry in os.listdir(self.folder_path(folder))
                      if entry.lower() == name.lower()]
            if others:
                self.fail(f"{folder}/{name} is present only as {others[0]}: spell the file as "
                          f"the INI files do ({shown})")
            else:
                self.fail(f"{folder}/{name} is missing ({shown})")

    def file_value(self, ini, section, key, folder, why, required):
        """A file-valued key: checked against the folder when given; returns the value."""
        value = self.read(ini, section, key, FILE_CAPACITY)
        if ini.raw(section, key) is None:
            if required:
                self.fail(f"{ini.display} [{section}] {key} is missing ({why})")
            return value
        if value == "":
            if required:
                self.fail(f"{ini.display} [{section}] {key} is empty ({why})")
            return value
        if absent(value):
            if value != "0" or required:
                self.fail(f"{ini.display} [{section}] {key}={value}: a name that begins with the "
                          "digit 0 counts as no file")
            return value
        self.need_file(folder, value, f"{key} of [{section}]")
        return value

    # -- the common file -------------------------------------------------------------------

    def run(self):
        config_dir = os.path.join(self.root, "DRVCONFIG")
        if not os.path.isdir(config_dir):
            self.fail(f"{self.root}: no DRVCONFIG folder")
            return self.problems
        common = self.open_ini(config_dir, COMMON_FILE)
        if common is None:
            return self.problems
        families = [self.open_ini(config_dir, name) for _, name in FAMILIES]
        models = self.check_model_list(common)
        for model in models:
            self.check_model(model, families[model["family"]], families)
        used_targets = sorted({t for model in models for t in model["targets"]})
        for folder in sorted({TARGETS[target][4] for target in used_targets}):
            if not os.path.isdir(self.folder_path(folder)):
                served = ", ".join(t[5] for t in TARGETS if t[4] == folder)
                self.fail(f"{folder}/ is missing (it serves {served})")
        self.check_version(common)
        self.check_usb_list(common, models)
        for target in used_targets:
            self.check_monitors(common, target, models)
        if WIN98 in used_targets:
            for name in WIN98_FIXED:
                self.need_file("win98", name, "placed by every Windows 98/Me installation")
        self.report_missing()
        self.check_folders()
        if self.with_program:
            self.check_program()
        if self.with_help:
            self.check_help()
        return self.problems

    def open_ini(self, config_dir, name):
        path = os.path.join(config_dir, name)
        if not os.path.isfile(path):
            others = [entry for entry in os.listdir(config_dir) if entry.lower() == name.lower()]
            hint = f" (found {others[0]}: use the lower-case name)" if others else ""
            self.fail(f"DRVCONFIG/{name} is missing{hint}")
            return None
        return IniFile(path, f"DRVCONFIG/{name}", self.problems)

    def check_model_list(self, common):
        section = "DEVICENAME"
        count = self.number(common, section, "DEVICENUMBER", 31)
        listed = {}
        for key in common.keys(section):
            match = re.match(r"^DEVICENAME(\d+)$", key, re.IGNORECASE)
            if match:
                listed[int(match.group(1))] = key
        if len(listed) != count:
            self.fail(f"{common.display} [DEVICENAME] DEVICENUMBER={count} but "
                      f"{len(listed)} DEVICENAMEn entries are listed")
        for n in sorted(listed):
            if n < 1 or n > count:
                self.fail(f"{common.display} [DEVICENAME] {listed[n]} lies outside 1..{count} "
                          "and is never read")
        models = []
        names = {}
        for n in range(1, count + 1):
            key = f"DEVICENAME{n}"
            if common.raw(section, key) is None:
                self.fail(f"{common.display} [DEVICENAME] {key} is missing (entries are numbered "
                          "1..DEVICENUMBER without gaps)")
                continue
            entry = self.read(common, section, key, 199)
            family = next((i for i, (suffix, _) in enumerate(FAMILIES) if suffix in entry), -1)
            if family < 0:
                self.notes.append(f"{key}={entry} has no family suffix: listed, never offered")
                continue
            name = entry[:entry.find(FAMILIES[family][0])]
            if not name:
                self.fail(f"{common.display} [DEVICENAME] {key}={entry} has no model name")
                continue
            if name.lower() in names:
                self.fail(f"{common.display} [DEVICENAME] {key}: model {name} is already "
                          f"{names[name.lower()]} (its sections would be shared)")
                continue
            names[name.lower()] = key
            if len(name) > DEVICE_NAME_CHARS:
                self.fail(f"model {name} ({key}): longer than the {DEVICE_NAME_CHARS} "
                          "characters of the printer's device name")
            models.append({"n": n, "key": key, "name": name, "family": family, "targets": []})
        default = self.number(common, section, "DEFAULTNAME", 199)
        if not 1 <= default <= count:
            self.fail(f"{common.display} [DEVICENAME] DEFAULTNAME={default} names no entry "
                      f"(1..{count})")
        elif default not in [model["n"] for model in models]:
            self.fail(f"{common.display} [DEVICENAME] DEFAULTNAME={default} names an entry that "
                      "is not offered")
        if not models:
            self.fail(f"{common.display}: no model is offered")
        return models

    # -- a model's sections ----------------------------------------------------------------

    def check_model(self, model, ini, families):
        name = model["name"]
        if ini is None:
            return  # the missing file is reported already
        port = f"{name}.PORT"
        if not self.require_section(ini, port, model, families):
            return
        options = {key: self.number(ini, port, key, 199) for key in PORT_KEYS}
        model.update(options)
        if options["BaudRate"] not in BAUD_RATES:
            self.fail(f"{ini.display} [{port}] BaudRate={options['BaudRate']} is not one of the "
                      f"rates the port page offers ({', '.join(map(str, BAUD_RATES))})")
        if options["USBSUPPORTED"] and len("USB_" + name + "_1") > USB_NAME_CAPACITY:
            self.fail(f"model {name}: its USB port names are longer than the "
                      f"{USB_NAME_CAPACITY} characters of the supported USB device list")
        targets = [WIN98, NT4, WIN2000, WINXP]
        if options["System2003Supported"]:
            targets.append(SERVER2003)
        model["targets"] = targets
        for target in targets:
            _, suffix, info, devmode, folder, label = TARGETS[target]
            present = [self.require_section(ini, f"{name}.{s}", model, families, label)
                       for s in (suffix, info, devmode)]
            if present[0]:
                for flavour in FLAVOURS:
                    self.check_driver(ini, model, target, flavour)
            if present[1]:
                self.check_printer_info(ini, f"{name}.{info}")
            if present[2]:
                self.check_devmode(ini, f"{name}.{devmode}")

    def require_section(self, ini, section, model, families, label=None):
        if ini.has_section(section):
            return True
        elsewhere = [other.display for other in families
                     if other is not None and other is not ini and other.has_section(section)]
        hint = f"; it is in {elsewhere[0]}, but {model['key']} selects this file" if elsewhere \
            else ""
        use = f" for {label}" if label else ""
        if label == TARGETS[SERVER2003][5] and not hint:
            hint = "; or set System2003Supported=0 in its .PORT section"
        self.fail(f"{ini.display}: section [{section}] is missing{use} "
                  f"(model {model['name']}){hint}")
        return False

    def check_driver(self, ini, model, target, flavour):
        name = model["name"]
        _, suffix, info_suffix, _, folder, label = TARGETS[target]
        section = f"{name}.{suffix}"
        info = f"{name}.{info_suffix}"
        f = flavour
        own_keys = [key for key in ini.keys(section) if key.upper().startswith(f)]
        if not own_keys:
            self.fail(f"{ini.display} [{section}] has no {f} keys: the {f} driver is installed "
                      f"for {FLAVOUR_USE[f]} ({label})")
            return
        driver_name = self.read(ini, info, f + "DRIVERNAME", NAME_CAPACITY)
        if ini.has_section(info) and (absent(driver_name) or not driver_name):
            self.fail(f"{ini.display} [{info}] {f}DRIVERNAME is missing or empty")
        files = {}
        for key in ("DriverPath", "DataFile", "ConfigFile", "HelpFile"):
            files[key] = self.file_value(ini, section, f + key, folder,
                                         f"required driver file for {label}", required=True)

        monitor_dll = self.file_value(ini, section, f + "MonitorDLLName", folder,
                                      "language-monitor DLL", required=False)
        monitor = self.read(ini, section, f + "MonitorName", NAME_CAPACITY)
        if ini.raw(section, f + "MonitorName") is None:
            self.fail(f"{ini.display} [{section}] {f}MonitorName is missing: the driver would "
                      "name the monitor '0'; give Language Monitor or leave it empty")
        elif monitor and monitor != LANGUAGE_MONITOR:
            self.fail(f"{ini.display} [{section}] {f}MonitorName={monitor}: the installer "
                      f"registers only '{LANGUAGE_MONITOR}'")
        if monitor_dll and not absent(monitor_dll) and not monitor:
            self.fail(f"{ini.display} [{section}] {f}MonitorDLLName is given but "
                      f"{f}MonitorName is empty")

        processor = self.read(ini, section, f + "PrintProcessor", NAME_CAPACITY)
        if absent(processor) or not processor:
            self.fail(f"{ini.display} [{section}] {f}PrintProcessor is missing or empty: give "
                      f"{STANDARD_PROCESSOR} or the package's processor")
        elif processor != STANDARD_PROCESSOR:
            if processor.lower() == STANDARD_PROCESSOR.lower():
                self.fail(f"{ini.display} [{section}] {f}PrintProcessor={processor}: spell it "
                          f"{STANDARD_PROCESSOR}, or the installer tries to install it")
            dll = self.file_value(ini, section, f + "ProcessorDLLName", folder,
                                  f"print processor {processor}", required=True)
            if len(dll) > ALTERNATE_NAME_CHARS:
                self.fail(f"{ini.display} [{section}] {f}ProcessorDLLName={dll}: longer than "
                          f"{ALTERNATE_NAME_CHARS} characters (no room for its alternate name)")
        else:
            self.file_value(ini, section, f + "ProcessorDLLName", folder,
                            "print-processor DLL", required=False)

        oem_dll = self.file_value(ini, section, f + "DataOemuniDLL", folder,
                                  "OEM plug-in DLL", required=False)
        oem_ini = self.file_value(ini, section, f + "DataOemuniini", folder,
                                  "OEM plug-in INI", required=False)
        oem_given = [bool(value) and not absent(value) for value in (oem_dll, oem_ini)]
        if oem_given[0] != oem_given[1]:
            self.fail(f"{ini.display} [{section}] give both {f}DataOemuniDLL and "
                      f"{f}DataOemuniini or neither: the installer copies them only as a pair")

        flag = self.read(ini, section, f + "2KDDKDEV", 4)
        is_ddk = flag.startswith("1")
        self.file_value(ini, section, f + "DataFileDLLName", folder,
                                   "resource DLL of the universal-driver minidriver",
                                   required=is_ddk)
        if is_ddk and target < WIN2000:
            self.fail(f"{ini.display} [{section}] {f}2KDDKDEV=1: universal-driver "
                      f"minidrivers need Windows 2000 or later, not {label}")
        if is_ddk and target >= WIN2000:
            for support in UNIDRV_SUPPORT:
                self.need_file(folder, support, f"universal-driver file for [{section}]")

        dependents_flag = decimal(self.read(ini, section, "GDI2KDDKDEV", 9))
        if dependents_flag and target >= WIN2000:
            if not is_ddk:
                self.fail(f"{ini.display} [{section}] GDI2KDDKDEV asks for the universal-driver "
                          f"files but {f}2KDDKDEV is not 1, so the {f} installation does not "
                          "copy them")
            entries = [files["DataFile"], *DEPENDENT_FIXED]
            entries += [value for value, given in zip((oem_dll, oem_ini), oem_given) if given]
            size = sum(len(entry) + 1 for entry in entries) + 1
            if size > DEPENDENT_LIST_BYTES:
                self.fail(f"{ini.display} [{section}]: the {f} dependent-file list needs {size} "
                          f"bytes, more than {DEPENDENT_LIST_BYTES}")

        if target == WIN98 and "QRX-K810" in name:
            self.need_file(folder, "DMCOLOR.DLL", f"placed for {name} on Windows 98/Me")

    def check_printer_info(self, ini, section):
        for key in INFO_TEXT_KEYS:
            self.read(ini, section, key, NAME_CAPACITY)
        datatype = self.read(ini, section, "DATATYPE", NAME_CAPACITY)
        if not datatype or absent(datatype):
            self.fail(f"{ini.display} [{section}] DATATYPE is missing or empty (give RAW)")
        for key in INFO_NUMBER_KEYS:
            self.number(ini, section, key, NAME_CAPACITY)

    def check_devmode(self, ini, section):
        for key in DEVMODE_SHORT_KEYS:
            value = self.number(ini, section, key, DEVMODE_CAPACITY)
            if not -32768 <= value <= 65535:
                self.fail(f"{ini.display} [{section}] {key}={value} does not fit the 16-bit field")
        for key in DEVMODE_LONG_KEYS:
            self.number(ini, section, key, DEVMODE_CAPACITY)
        if decimal(self.read(ini, section, "DMDRIVEREXTRA", DEVMODE_CAPACITY)) != 0:
            self.fail(f"{ini.display} [{section}] DMDRIVEREXTRA must be 0: the installer passes "
                      "no driver-private data")
        if ini.raw(section, "FORMNAME") is None:
            self.fail(f"{ini.display} [{section}] FORMNAME is missing")
        else:
            self.read(ini, section, "FORMNAME", DEVMODE_CAPACITY)

    # -- the common file's other sections ---------------------------------------------------

    def check_version(self, common):
        version = self.number(common, "Version", "DriverVersion", 11)
        if version <= 0:
            self.fail(f"{common.display} [Version] DriverVersion={version}: give the package's "
                      "print-processor version (a positive number)")

    def offered_usb_ports(self, model):
        if not model.get("USBSUPPORTED"):
            return []
        count = 4 if model.get("AdvancedSetup") else 1
        return [f"USB_{model['name']}_{n}" for n in range(1, count + 1)]

    def check_usb_list(self, common, models):
        section = "SUPPORTED-USB-DEVICE"
        count = self.number(common, section, "PRNCOUNT", 199)
        numbered = [key for key in common.keys(section) if re.match(r"^[0-9]+$", key)]
        if len(numbered) != count:
            self.fail(f"{common.display} [{section}] PRNCOUNT={count} but {len(numbered)} "
                      "numbered entries are listed")
        for key in numbered:
            if int(key) >= count:
                self.fail(f"{common.display} [{section}] entry {key} lies outside 0..{count - 1} "
                          "and is never read")
        offered = {port: model for model in models for port in self.offered_usb_ports(model)}
        seen = set()
        for i in range(count):
            value = common.raw(section, str(i))
            if value is None:
                self.fail(f"{common.display} [{section}] entry {i} is missing (entries are "
                          "numbered 0..PRNCOUNT-1 without gaps)")
                continue
            value = self.read(common, section, str(i), USB_NAME_CAPACITY)
            if value in seen:
                self.fail(f"{common.display} [{section}] {value} is listed twice")
            seen.add(value)
            if value not in offered:
                self.fail(f"{common.display} [{section}] {i}={value} is not a USB port the "
                          "port page offers (USB_<model>_n of a model with USBSUPPORTED=1)")
        for port, model in offered.items():
            if port not in seen:
                self.fail(f"{common.display} [{section}] does not list {port}, which the port "
                          f"page offers for {model['name']}")

    def check_monitors(self, common, target, models):
        _, suffix, _, _, folder, label = TARGETS[target]
        section = f"COMMON-MONITOR.{suffix}"
        if not common.has_section(section):
            self.fail(f"{common.display}: section [{section}] is missing ({label})")
            return
        usb_used = any(model.get("USBSUPPORTED") for model in models)
        for prefix, kind, installed in (
                ("COMMONitor", "serial-port monitor", target != WIN98),
                ("USBMONitor", "USB port monitor", target != NT4 and usb_used)):
            name = self.read(common, section, prefix + "PName", NAME_CAPACITY)
            if installed and (absent(name) or not name):
                self.fail(f"{common.display} [{section}] {prefix}PName is missing or empty: "
                          f"the {kind} is installed on {label}")
            for key, what in (("PDLLName", "DLL"), ("PUIDLLName", "user-interface DLL")):
                capacity = FILE_CAPACITY if key == "PDLLName" else NAME_CAPACITY
                value = self.read(common, section, prefix + key, capacity)
                if common.raw(section, prefix + key) is None or absent(value) or not value:
                    if installed:
                        self.fail(f"{common.display} [{section}] {prefix}{key} is missing or "
                                  f"empty: the {kind} is installed on {label}")
                    continue
                self.need_file(folder, value, f"{kind} {what}, [{section}]")
                if len(value) > ALTERNATE_NAME_CHARS:
                    self.fail(f"{common.display} [{section}] {prefix}{key}={value}: longer than "
                              f"{ALTERNATE_NAME_CHARS} characters (no room for its alternate "
                              "name)")
            self.number(common, section, prefix + "Version", 9, required=installed)

    # -- folders, program and help ---------------------------------------------------------

    def check_folders(self):
        for folder in ("win98", "winnt", "win2003"):
            directory = self.folder_path(folder)
            if not os.path.isdir(directory):
                continue
            for entry in sorted(os.listdir(directory)):
                if entry.startswith("0"):
                    self.fail(f"{folder}/{entry}: a file name that begins with the digit 0 "
                              "cannot be named in the INI files")
                elif entry.lower() not in self.used_files.get(folder, set()):
                    self.notes.append(f"{folder}/{entry} is named by no INI entry")

    def check_program(self):
        path = os.path.join(self.root, "Setup.exe")
        if not os.path.isfile(path):
            self.fail("Setup.exe is missing beside DRVCONFIG")
            return
        with open(path, "rb") as handle:
            if handle.read(2) != b"MZ":
                self.fail("Setup.exe is not a Windows program")

    def check_help(self):
        path = os.path.join(self.root, "Guide.CHM")
        if not os.path.isfile(path):
            self.fail("Guide.CHM is missing beside Setup.exe (F1 opens .\\Guide.CHM)")
            return
        with open(path, "rb") as handle:
            data = handle.read()
        if not data.startswith(b"ITSF"):
            self.fail("Guide.CHM is not a compiled HTML help file")
        elif HELP_TITLE.encode("gbk") not in data:
            self.fail(f"Guide.CHM does not carry the title {HELP_TITLE}, by which the "
                      "installer finds an open help window")


def main(argv):
    args = [arg for arg in argv if not arg.startswith("--")]
    options = [arg for arg in argv if arg.startswith("--")]
    unknown = [opt for opt in options if opt not in ("--with-program", "--with-help")]
    if unknown or len(args) > 1:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "package")
    root = os.path.normpath(args[0] if args else default)
    if not os.path.isdir(root):
        print(f"FAIL package-complete: {root} is not a folder")
        return 1
    check = PackageCheck(root, "--with-program" in options, "--with-help" in options)
    problems = check.run()
    for note in check.notes:
        print(f"note: {note}")
    if problems:
        print(f"FAIL package-complete: {len(problems)} fault(s) in {root}")
        for problem in problems:
            print(f"  {problem}")
        return 1
    print("PASS package-complete")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
