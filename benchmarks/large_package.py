#!/usr/bin/env python3
"""Writes the largest package a package author may build: the sample package with its receipt
model TP-R80 cloned until the model list holds MODELS entries (1000, the most Setup.exe reads),
each clone with its own data files in win98\\, winnt\\ and win2003\\, four USB ports, and its
names, driver names and comments at their longest.

    large_package.py OUT_FOLDER [--models N]
"""
import argparse
import re
import shutil
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SAMPLE = ROOT / "package"
TEMPLATE_MODEL = "TP-R80"
TEMPLATE_STEM = "TPR80"
SYSTEM_FOLDERS = ("win98", "winnt", "win2003")
MODEL_NAME_LENGTH = 23  # the longest name of a model with USB ports
TEXT_LENGTH = 49  # driver names and printer texts


def template_sections(text):
    """The template model's sections, comment lines left out, as one block of text."""
    block, inside = [], False
    for line in text.splitlines():
        header = re.match(r"\s*\[([^\]]*)\]", line)
        if header:
            inside = header.group(1).upper().startswith(TEMPLATE_MODEL + ".")
        if inside and not line.lstrip().startswith(";"):
            block.append(line)
    return "\r\n".join(block).strip() + "\r\n"


def padded(text, length):
    return (text + " " + "x" * length)[:length]


def clone(block, model, stem):
    out = []
    for line in block.splitlines():
        key, _, _ = line.partition("=")
        key = key.strip().upper()
        line = line.replace(TEMPLATE_MODEL, model).replace(TEMPLATE_STEM, stem)
        if key in ("STDDRIVERNAME", "GDIDRIVERNAME", "COMMENT", "LOCATION"):
            name, _, value = line.partition("=")
            line = name + "=" + padded(value, TEXT_LENGTH)
        out.append(line)
    return "\r\n".join(out) + "\r\n"


def set_section(text, section, lines):
    """Replaces the body of [section] (keeping its comments) by the given lines."""
    pattern = re.compile(r"(^\[" + re.escape(section) + r"\][^\n]*\n)(.*?)(?=^\[|\Z)",
                         re.M | re.S)
    match = pattern.search(text)
    comments = "".join(l + "\n" for l in match.group(2).splitlines() if l.startswith(";"))
    body = comments + "\r\n".join(lines) + "\r\n\r\n"
    return text[:match.start(2)] + body + text[match.end(2):]


def entries(text, section):
    match = re.search(r"^\[" + re.escape(section) + r"\][^\n]*\n(.*?)(?=^\[|\Z)", text,
                      re.M | re.S)
    return [l.strip() for l in match.group(1).splitlines()
            if "=" in l and not l.lstrip().startswith(";")]


def write(out, models):
    if out.exists():
        shutil.rmtree(out)
    shutil.copytree(SAMPLE, out)
    config = out / "DRVCONFIG"
    common = (config / "setup.ini").read_text(encoding="gbk")
    receipt = (config / "setup_receipt.ini").read_text(encoding="gbk")
    block = template_sections(receipt)

    names = [e.split("=", 1)[1] for e in entries(common, "DEVICENAME")
             if re.match(r"DEVICENAME\d+=", e, re.I)]
    usb = [e.split("=", 1)[1] for e in entries(common, "SUPPORTED-USB-DEVICE")
           if re.match(r"\d+=", e)]
    clones = []
    for n in range(1, models - len(names) + 1):
        model = padded("R80-BENCH-MODEL-%05d" % n, MODEL_NAME_LENGTH).replace(" ", "-")
        stem = "B%05d" % n
        names.append(model + "-ReceiptPrinter")
        usb += ["USB_%s_%d" % (model, port) for port in range(1, 5)]
        clones.append(clone(block, model, stem))
        for folder in SYSTEM_FOLDERS:
            for flavour in ("S", "G"):
                source = out / folder / (TEMPLATE_STEM + flavour + ".DAT")
                shutil.copyfile(source, out / folder / (stem + flavour + ".DAT"))

    common = set_section(common, "DEVICENAME",
                         ["DEVICENUMBER=%d" % len(names)] +
                         ["DEVICENAME%d=%s" % (i, name) for i, name in enumerate(names, 1)] +
                         ["DEFAULTNAME=1"])
    common = set_section(common, "SUPPORTED-USB-DEVICE",
                         ["PRNCOUNT=%d" % len(usb)] +
                         ["%d=%s" % (i, name) for i, name in enumerate(usb)])
    (config / "setup.ini").write_bytes(common.replace("\r\n", "\n").replace("\n", "\r\n")
                                       .encode("gbk"))
    receipt = receipt.rstrip() + "\r\n\r\n" + "\r\n".join(clones)
    (config / "setup_receipt.ini").write_bytes(receipt.replace("\r\n", "\n")
                                               .replace("\n", "\r\n").encode("gbk"))
    return len(names)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out", type=Path)
    parser.add_argument("--models", type=int, default=1000)
    args = parser.parse_args()
    print(write(args.out, args.models))


if __name__ == "__main__":
    main()
