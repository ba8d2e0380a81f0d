#!/usr/bin/env python3
"""Runs pkgcheck over the sample package and over the broken packages of broken/.

The sample package must pass clean: exit 0, no error and no warning. Each broken/*.case file
describes a package as the sample package (or an empty folder) plus edits, and the findings
pkgcheck must report for it. Its lines:

  # text                          a comment
  from sample|empty               where the package starts (default: sample)
  set FILE SECTION KEY VALUE      give KEY in [SECTION] of DRVCONFIG/FILE this value (the first
                                  entry of that name; added at the section's end when absent)
  delete FILE SECTION KEY         remove that entry
  add FILE SECTION LINE           add a line at the end of the section
  substitute FILE OLD NEW         replace every OLD by NEW in a package file
  remove PATH | rename PATH NAME | write PATH TEXT ("\\r\\n", "\\xNN" escapes)
  encode FILE utf16|utf8-bom|lf   save DRVCONFIG/FILE in another encoding or line ending
  option ARG                      pass ARG to pkgcheck (--layout)
  expect SEVERITY CHECK PLACE TEXT   a finding of that severity and check at PLACE (FILE or
                                  FILE:LINE, FILE relative to the package) whose message holds TEXT
  errors N | warnings N | notes N exactly N errors (warnings, notes): the cause alone, no
                                  consequences
  exactly                         the expected findings are all the findings, in their order
                                  (the cause first), besides those of the unedited sample
  exit N                          pkgcheck's exit code (default: 2 with an expected error, else 1)

Every case also passes through the readable report, which must name each expected place.
Usage: run_pkgcheck.py [PKGCHECK]   (default build/native/pkgcheck). Ends with
"N passed, N failed".
"""

import glob
import json
import os
import shlex
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
SAMPLE = os.path.join(ROOT, "package")


def unescape(text):
    """The text's bytes in code page 936, with the escapes \\r, \\n, \\t, \\\\ and \\xNN."""
    out, i = bytearray(), 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text):
            escape = text[i + 1]
            if escape == "x" and i + 3 < len(text) + 1:
                out.append(int(text[i + 2:i + 4], 16))
                i += 4
                continue
            if escape in "rnt\\":
                out += {"r": b"\r", "n": b"\n", "t": b"\t", "\\": b"\\"}[escape]
                i += 2
                continue
        out += text[i].encode("gbk")
        i += 1
    return bytes(out)


def ini_path(root, name):
    return os.path.join(root, "DRVCONFIG", name)


def read_lines(path):
    with open(path, "rb") as handle:
        return handle.read().split(b"\r\n")


def write_lines(path, lines):
    with open(path, "wb") as handle:
        handle.write(b"\r\n".join(lines))


def section_span(lines, section):
    """Index of the section's header and one past its last non-blank line."""
    header = f"[{section}]".lower().encode("gbk")
    for i, line in enumerate(lines):
        if line.strip().lower() == header:
            end = i + 1
            for j in range(i + 1, len(lines)):
                if lines[j].startswith(b"["):
                    break
                if lines[j].strip():
                    end = j + 1
            return i, end
    raise ValueError(f"no section [{section}]")


def find_key(lines, start, end, key):
    for i in range(start + 1, end):
        name = lines[i].split(b"=", 1)[0].strip().lower()
        if b"=" in lines[i] and name == key.lower().encode("gbk"):
            return i
    return None


def edit_ini(root, name, section, change):
    path = ini_path(root, name)
    lines = read_lines(path)
    start, end = section_span(lines, section)
    change(lines, start, end)
    write_lines(path, lines)


def apply(root, words):
    op, args = words[0], words[1:]
    if op == "set":
        name, section, key, value = args
        def change(lines, start, end):
            at = find_key(lines, start, end, key)
            entry = key.encode("gbk") + b"=" + unescape(value)
            if at is None:
                lines.insert(end, entry)
            else:
                lines[at] = entry
        edit_ini(root, name, section, change)
    elif op == "delete":
        name, section, key = args
        def change(lines, start, end):
            at = find_key(lines, start, end, key)
            if at is None:
                raise ValueError(f"no {key} in [{section}]")
            del lines[at]
        edit_ini(root, name, section, change)
    elif op == "add":
        name, section, line = args
        edit_ini(root, name, section, lambda lines, start, end: lines.insert(end, unescape(line)))
    elif op == "substitute":
        path, old, new = args
        full = os.path.join(root, path)
        with open(full, "rb") as handle:
            data = handle.read()
        if unescape(old) not in data:
            raise ValueError(f"{old} not in {path}")
        with open(full, "wb") as handle:
            handle.write(data.replace(unescape(old), unescape(new)))
    elif op == "remove":
        target = os.path.join(root, args[0])
        shutil.rmtree(target) if os.path.isdir(target) else os.remove(target)
    elif op == "rename":
        os.rename(os.path.join(root, args[0]),
                  os.path.join(os.path.dirname(os.path.join(root, args[0])), args[1]))
    elif op == "write":
        full = os.path.join(root, args[0])
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "wb") as handle:
            handle.write(unescape(args[1]))
    elif op == "encode":
        path = ini_path(root, args[0])
        with open(path, "rb") as handle:
            data = handle.read()
        data = {"utf16": lambda d: b"\xff\xfe" + d.decode("gbk").encode("utf-16-le"),
                "utf8-bom": lambda d: b"\xef\xbb\xbf" + d,
                "lf": lambda d: d.replace(b"\r\n", b"\n")}[args[1]](data)
        with open(path, "wb") as handle:
            handle.write(data)
    else:
        raise ValueError(f"unknown edit {op}")


def run(pkgcheck, root, options):
    result = subprocess.run([pkgcheck, "--json", *options, root], capture_output=True,
                            check=False)
    text = subprocess.run([pkgcheck, *options, root], capture_output=True, check=False)
    return result.returncode, json.loads(result.stdout.decode("utf-8")), \
        text.stdout.decode("utf-8", "replace")


def matches(finding, severity, check, place, text):
    file, _, line = place.partition(":")
    return (finding["severity"] == severity and finding["check"] == check and
            finding["file"] == file and (not line or finding["line"] == int(line)) and
            text in finding["message"])


def finding_key(finding):
    return tuple(finding[k] for k in ("severity", "check", "file", "line", "message"))


SAMPLE_FINDINGS = {}


def sample_findings(pkgcheck):
    """The findings of the unedited sample package (its notes), which every case shares."""
    if pkgcheck not in SAMPLE_FINDINGS:
        _, report, _ = run(pkgcheck, SAMPLE, [])
        SAMPLE_FINDINGS[pkgcheck] = {finding_key(f) for f in report["findings"]}
    return SAMPLE_FINDINGS[pkgcheck]


class Case:
    """A broken package laid out in a folder, with what pkgcheck must say about it."""

    def __init__(self, path, temp):
        with open(path, encoding="utf-8") as handle:
            directives = [shlex.split(line) for line in handle
                          if line.strip() and not line.lstrip().startswith("#")]
        self.name = os.path.splitext(os.path.basename(path))[0]
        self.root = os.path.join(temp, self.name)
        start = next((w[1] for w in directives if w[0] == "from"), "sample")
        if start == "sample":
            shutil.copytree(SAMPLE, self.root)
        else:
            os.makedirs(self.root)
        self.options, self.expects, self.counts, self.exit_code = [], [], {}, None
        self.exact = False
        for words in directives:
            if words[0] == "from":
                continue
            if words[0] == "option":
                self.options.append(words[1])
            elif words[0] == "expect":
                self.expects.append(words[1:])
            elif words[0] == "exactly":
                self.exact = True
            elif words[0] in ("errors", "warnings", "notes"):
                self.counts[words[0]] = int(words[1])
            elif words[0] == "exit":
                self.exit_code = int(words[1])
            else:
                apply(self.root, words)


def cases(temp):
    return [Case(path, temp) for path in sorted(glob.glob(os.path.join(HERE, "broken", "*.case")))]


def check_case(pkgcheck, case):
    root, options, expects, counts = case.root, case.options, case.expects, case.counts
    exit_code = case.exit_code
    code, report, text = run(pkgcheck, root, options)
    problems = []
    if exit_code is None:
        exit_code = 2 if any(e[0] == "error" for e in expects) else 1
    if code != exit_code:
        problems.append(f"exit {code}, expected {exit_code}")
    for severity, check, place, message in expects:
        if not any(matches(f, severity, check, place, message) for f in report["findings"]):
            problems.append(f"no {severity} {check} at {place} with '{message}'")
        elif place.split(":")[0] not in text:
            problems.append(f"the readable report does not name {place}")
    if case.exact:
        sample = sample_findings(pkgcheck)
        own = [f for f in report["findings"] if finding_key(f) not in sample]
        if len(own) != len(expects) or not all(
                matches(f, *e) for f, e in zip(own, expects)):
            problems.append("the findings are not exactly the expected ones in their order")
    for kind, count in counts.items():
        if report[kind] != count:
            problems.append(f"{report[kind]} {kind}, expected {count}")
    if problems:
        found = "\n".join(f"      {f['severity']} {f['check']} {f['file']}:{f['line']} "
                          f"{f['message']}" for f in report["findings"])
        return "; ".join(problems) + "\n    found:\n" + found
    return None


class Tally:
    """PASS and FAIL lines, one per package, and the closing count."""

    def __init__(self):
        self.passed = self.failed = 0

    def record(self, name, problem):
        if problem:
            self.failed += 1
            print(f"FAIL {name}: {problem}")
        else:
            self.passed += 1
            print(f"PASS {name}")

    def close(self):
        print(f"{self.passed} passed, {self.failed} failed")
        return 0 if self.failed == 0 else 1


def main():
    pkgcheck = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "native",
                                                                  "pkgcheck")
    tally = Tally()
    code, report, text = run(pkgcheck, SAMPLE, [])
    clean = code == 0 and report["errors"] == 0 and report["warnings"] == 0
    tally.record("sample-package-is-clean", None if clean else f"exit {code}\n{text}")
    with tempfile.TemporaryDirectory(prefix="pkgcheck-") as temp:
        for path in sorted(glob.glob(os.path.join(HERE, "broken", "*.case"))):
            name = os.path.splitext(os.path.basename(path))[0]
            try:
                problem = check_case(pkgcheck, Case(path, temp))
            except (ValueError, OSError, json.JSONDecodeError) as error:
                problem = f"cannot run the case: {error}"
            tally.record(name, problem)
    return tally.close()

if __name__ == "__main__":
    sys.exit(main())
