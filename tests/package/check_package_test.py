#!/usr/bin/env python3
"""Proves that check_package.py catches the faults it is there for.

Each case copies the sample package to a temporary folder, breaks one thing (deletes a file,
miscounts the model list, writes a number in hexadecimal, ...), runs the check as the test
command does and requires FAIL with a message that names the fault; the untouched copy must
PASS. Prints one PASS or FAIL line per case and ends with "N passed, N failed".
"""

import contextlib
import importlib.util
import io
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
CHECK = os.path.join(HERE, "check_package.py")
PACKAGE = os.path.normpath(os.path.join(HERE, "..", "..", "package"))


def edit(root, ini, section, old, new):
    """Replaces the first line equal to old (or starting with old + "=") after [section]."""
    path = os.path.join(root, "DRVCONFIG", ini)
    with open(path, newline="") as handle:
        lines = handle.read().split("\r\n")
    inside = section is None
    for i, line in enumerate(lines):
        if line.lower() == f"[{section}]".lower():
            inside = True
            continue
        if inside and (line == old or line.startswith(old + "=")):
            if new is None:
                del lines[i]
            else:
                lines[i] = new
            break
        if inside and section is not None and line.startswith("["):
            raise AssertionError(f"{old} not found in [{section}] of {ini}")
    else:
        raise AssertionError(f"{old} not found in [{section}] of {ini}")
    with open(path, "w", newline="") as handle:
        handle.write("\r\n".join(lines))


def drop_keys(root, ini, section, prefix):
    path = os.path.join(root, "DRVCONFIG", ini)
    with open(path, newline="") as handle:
        lines = handle.read().split("\r\n")
    out, inside = [], False
    for line in lines:
        if line.startswith("["):
            inside = line.lower() == f"[{section}]".lower()
        if inside and line.startswith(prefix):
            continue
        out.append(line)
    with open(path, "w", newline="") as handle:
        handle.write("\r\n".join(out))


def remove(root, relative):
    os.remove(os.path.join(root, relative))


def rename(root, old, new):
    os.rename(os.path.join(root, old), os.path.join(root, new))


def write(root, relative, data):
    with open(os.path.join(root, relative), "wb") as handle:
        handle.write(data)


# (case name, how to break the copy, extra options, text the FAIL output must contain)
CASES = [
    ("driver-file-missing-winnt", lambda r: remove(r, "winnt/TPGDI.DLL"), [],
     "winnt/TPGDI.DLL is missing"),
    ("nt4-driver-missing", lambda r: remove(r, "winnt/TPSTDUI4.DLL"), [],
     "winnt/TPSTDUI4.DLL is missing"),
    ("data-file-missing-2003", lambda r: remove(r, "win2003/TPT58G.DAT"), [],
     "win2003/TPT58G.DAT is missing"),
    ("unidrv-support-missing", lambda r: remove(r, "win2003/UNIRES.DLL"), [],
     "win2003/UNIRES.DLL is missing"),
    ("resource-dll-missing", lambda r: remove(r, "winnt/TPL80RES.DLL"), [],
     "winnt/TPL80RES.DLL is missing"),
    ("usb-monitor-missing-98", lambda r: remove(r, "win98/TPUSBM9X.DLL"), [],
     "win98/TPUSBM9X.DLL is missing"),
    ("serial-monitor-ui-missing", lambda r: remove(r, "win2003/TPSERUI.DLL"), [],
     "win2003/TPSERUI.DLL is missing"),
    ("processor-missing", lambda r: remove(r, "win98/TPPROC.DLL"), [],
     "win98/TPPROC.DLL is missing"),
    ("win98-iconlib-missing", lambda r: remove(r, "win98/ICONLIB.DLL"), [],
     "win98/ICONLIB.DLL is missing"),
    ("file-case-differs", lambda r: rename(r, "winnt/TPSTD.HLP", "winnt/tpstd.hlp"), [],
     "present only as tpstd.hlp"),
    ("device-number-wrong",
     lambda r: edit(r, "setup.ini", "DEVICENAME", "DEVICENUMBER", "DEVICENUMBER=8"), [],
     "DEVICENUMBER=8 but 7"),
    ("device-entry-gap",
     lambda r: edit(r, "setup.ini", "DEVICENAME", "DEVICENAME5",
                    "DEVICENAME9=TP-T58-TicketPrinter"), [],
     "DEVICENAME5 is missing"),
    ("default-not-offered",
     lambda r: edit(r, "setup.ini", "DEVICENAME", "DEFAULTNAME", "DEFAULTNAME=4"), [],
     "DEFAULTNAME=4 names an entry that is not offered"),
    ("family-file-misnamed",
     lambda r: rename(r, "DRVCONFIG/setup_lable.ini", "DRVCONFIG/setup_label.ini"), [],
     "DRVCONFIG/setup_lable.ini is missing"),
    ("model-in-wrong-family",
     lambda r: edit(r, "setup.ini", "DEVICENAME", "DEVICENAME3",
                    "DEVICENAME3=TP-T80-ReceiptPrinter"), [],
     "it is in DRVCONFIG/setup_ticket.ini"),
    ("server2003-sections-missing",
     lambda r: edit(r, "setup_embedded.ini", "TP-E58.PORT", "System2003Supported",
                    "System2003Supported=1"), [],
     "section [TP-E58.2003] is missing"),
    ("gdi-keys-missing", lambda r: drop_keys(r, "setup_ticket.ini", "TP-T80.NT", "GDI"), [],
     "[TP-T80.NT] has no GDI keys"),
    ("required-key-missing",
     lambda r: edit(r, "setup_receipt.ini", "TP-R58.2K", "STDHelpFile", None), [],
     "[TP-R58.2K] STDHelpFile is missing"),
    ("name-begins-with-zero",
     lambda r: edit(r, "setup_receipt.ini", "TP-R80.XP", "STDDataFile",
                    "STDDataFile=0TPR80S.DAT"), [],
     "begins with the digit 0"),
    ("duplicate-key",
     lambda r: edit(r, "setup_receipt.ini", "TP-R58.XP", "STDDataFile",
                    "STDDataFile=TPR58S.DAT\r\nstddatafile=OTHER.DAT"), [],
     "appears a second time"),
    ("duplicate-section",
     lambda r: edit(r, "setup_ticket.ini", "TP-T58.DEVMODE2K", "COPIES",
                    "COPIES=1\r\n[tp-t58.port]\r\nBaudRate=9600"), [],
     "section [tp-t58.port] appears a second time"),
    ("hexadecimal-number",
     lambda r: edit(r, "setup_lable.ini", "TP-L80.DEVMODE2K", "FIELDS", "FIELDS=0x16F1F"), [],
     "FIELDS=0x16F1F is not a plain decimal number"),
    ("comment-after-value",
     lambda r: edit(r, "setup_receipt.ini", "TP-R80.PORT", "BaudRate",
                    "BaudRate=9600 ; fastest the R80 takes"), [],
     "comment after the value"),
    ("baud-rate-not-offered",
     lambda r: edit(r, "setup_receipt.ini", "TP-R58.PORT", "BaudRate", "BaudRate=14400"), [],
     "BaudRate=14400 is not one of the rates"),
    ("driver-extra-not-zero",
     lambda r: edit(r, "setup_ticket.ini", "TP-T80.DEVMODENT", "DMDRIVEREXTRA",
                    "DMDRIVEREXTRA=64"), [],
     "DMDRIVEREXTRA must be 0"),
    ("form-name-too-long",
     lambda r: edit(r, "setup_receipt.ini", "TP-R80.DEVMODE98", "FORMNAME",
                    "FORMNAME=Receipt roll 80 x 297 mm"), [],
     "longer than the 19 characters"),
    ("oem-pair-incomplete",
     lambda r: edit(r, "setup_lable.ini", "TP-L80.XP", "GDIDataOemuniini", None), [],
     "give both GDIDataOemuniDLL and GDIDataOemuniini"),
    ("universal-flag-on-nt4",
     lambda r: edit(r, "setup_lable.ini", "TP-L80.NT", "GDIPrintProcessor",
                    "GDIPrintProcessor=WinPrint\r\nGDI2KDDKDEV=1\r\nGDIDataFileDLLName=TPL80RES.DLL"),
     [], "universal-driver minidrivers need Windows 2000 or later"),
    ("processor-name-case",
     lambda r: edit(r, "setup_ticket.ini", "TP-T80.XP", "STDPrintProcessor",
                    "STDPrintProcessor=winprint"), [],
     "spell it WinPrint"),
    ("monitor-name-missing",
     lambda r: edit(r, "setup_embedded.ini", "TP-E58.2K", "GDIMonitorName", None), [],
     "GDIMonitorName is missing"),
    ("usb-count-wrong",
     lambda r: edit(r, "setup.ini", "SUPPORTED-USB-DEVICE", "PRNCOUNT", "PRNCOUNT=8"), [],
     "PRNCOUNT=8 but 9"),
    ("usb-port-not-listed",
     lambda r: (edit(r, "setup.ini", "SUPPORTED-USB-DEVICE", "PRNCOUNT", "PRNCOUNT=8"),
                edit(r, "setup.ini", "SUPPORTED-USB-DEVICE", "8", None)), [],
     "does not list USB_TP-L80_4"),
    ("usb-port-not-offered",
     lambda r: edit(r, "setup.ini", "SUPPORTED-USB-DEVICE", "4", "4=USB_TP-T58_2"), [],
     "4=USB_TP-T58_2 is not a USB port the port page offers"),
    ("monitor-section-missing",
     lambda r: edit(r, "setup.ini", None, "[COMMON-MONITOR.XP]", "[COMMON-MONITOR-XP]"), [],
     "section [COMMON-MONITOR.XP] is missing"),
    ("stray-zero-file", lambda r: write(r, "winnt/0TPSTD.DLL", b"x"), [],
     "winnt/0TPSTD.DLL: a file name that begins with the digit 0"),
    ("byte-order-mark",
     lambda r: write(r, "DRVCONFIG/setup_ticket.ini",
                     b"\xef\xbb\xbf" + open(os.path.join(PACKAGE, "DRVCONFIG",
                                                         "setup_ticket.ini"), "rb").read()),
     [], "byte-order mark"),
    ("program-missing", lambda r: None, ["--with-program"],
     "Setup.exe is missing"),
    ("program-not-windows", lambda r: write(r, "Setup.exe", b"#!/bin/sh\n"), ["--with-program"],
     "Setup.exe is not a Windows program"),
    ("help-not-chm", lambda r: write(r, "Guide.CHM", b"<html></html>"), ["--with-help"],
     "Guide.CHM is not a compiled HTML help file"),
    ("help-title-wrong",
     lambda r: write(r, "Guide.CHM", b"ITSF" + "帮助".encode("gbk")), ["--with-help"],
     "does not carry the title"),
]


def load_check():
    module_location = importlib.util.spec_from_file_location("check_package", CHECK)
    module = importlib.util.module_from_spec(module_location)
    module_location.loader.exec_module(module)
    return module


CHECK_MODULE = load_check()


def run_check(root, options):
    """Runs the check's entry point in this process, as the command line would."""
    output = io.StringIO()
    with contextlib.redirect_stdout(output), contextlib.redirect_stderr(output):
        code = CHECK_MODULE.main([*options, root])
    return code, output.getvalue()


def run_check_command(root):
    """The check as the test command runs it: a program with an exit code."""
    result = subprocess.run([sys.executable, CHECK, root], capture_output=True, text=True,
                            check=False)
    return result.returncode, result.stdout + result.stderr


def main():
    passed = failed = 0
    with tempfile.TemporaryDirectory(prefix="package-check-") as temp:
        def fresh(name):
            root = os.path.join(temp, name)
            shutil.copytree(PACKAGE, root)
            return root

        code, output = run_check_command(fresh("pristine"))
        if code == 0 and "PASS package-complete" in output:
            passed += 1
            print("PASS sample-package-is-complete")
        else:
            failed += 1
            print(f"FAIL sample-package-is-complete: exit {code}\n{output}")

        root = fresh("command-fails")
        remove(root, "winnt/TPSTD.DLL")
        code, output = run_check_command(root)
        if code == 1 and "FAIL package-complete" in output and "winnt/TPSTD.DLL" in output:
            passed += 1
            print("PASS command-exits-nonzero-on-fault")
        else:
            failed += 1
            print(f"FAIL command-exits-nonzero-on-fault: exit {code}\n{output}")

        for name, breaker, options, expected in CASES:
            root = fresh(name)
            try:
                breaker(root)
            except (AssertionError, OSError) as error:
                failed += 1
                print(f"FAIL detects-{name}: could not break the copy: {error}")
                continue
            code, output = run_check(root, options)
            if code == 1 and "FAIL package-complete" in output and expected in output:
                passed += 1
                print(f"PASS detects-{name}")
            else:
                failed += 1
                print(f"FAIL detects-{name}: exit {code}, expected '{expected}' in:\n{output}")
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
