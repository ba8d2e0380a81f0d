#!/usr/bin/env python3
"""Turns the licence text (UTF-8, licence.txt) into the RTF document the licence page shows:
code page 936, font 宋体 at 9 points, every non-ASCII byte written as an \\'xx escape so that
no GBK trail byte can be read as an RTF control character ('\\', '{', '}'). With --english the
text must be ASCII and the document is code page 1252 in Arial.

Usage: make_licence_rtf.py LICENCE_TXT OUTPUT_RTF [--english]"""

import sys


def escape(text: str, encoding: str = "gbk") -> str:
    out = []
    for byte in text.encode(encoding):
        if byte >= 0x80:
            out.append(f"\\'{byte:02x}")
        elif chr(byte) in "\\{}":
            out.append("\\" + chr(byte))
        else:
            out.append(chr(byte))
    return "".join(out)


def paragraphs(lines: list[str]) -> list[tuple[bool, str]]:
    result, current = [], []
    for line in lines + [""]:
        if line.startswith("#") and not line.startswith("## "):
            continue
        if line.startswith("## "):
            result.append((True, line[3:].strip()))
        elif line.strip():
            current.append(line.strip())
            continue
        if current:
            result.append((False, "".join(current)))
            current = []
    return result


def main() -> int:
    source, target = sys.argv[1], sys.argv[2]
    english = sys.argv[3:] == ["--english"]
    encoding = "ascii" if english else "gbk"
    with open(source, encoding="utf-8") as f:
        lines = f.read().splitlines()
    body = []
    for heading, text in paragraphs(lines):
        start, end = ("\\b ", "\\b0") if heading else ("", "")
        body.append(f"\\pard\\sa120 {start}{escape(text, encoding)}{end}\\par\n")
    if english:
        header = ("{\\rtf1\\ansi\\ansicpg1252\\deff0\n"
                  "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\n")
    else:
        font = escape("宋体")
        header = ("{\\rtf1\\ansi\\ansicpg936\\deff0\n"
                  f"{{\\fonttbl{{\\f0\\fnil\\fcharset134 {font};}}}}\n")
    rtf = (header +
           "\\viewkind4\\uc1\\f0\\fs18\n" + "".join(body) + "}\n")
    with open(target, "w", encoding="ascii", newline="\r\n") as f:
        f.write(rtf)
    return 0


if __name__ == "__main__":
    sys.exit(main())
