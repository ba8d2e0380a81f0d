#!/usr/bin/env python3
"""Profile-reader conformance: the simulated Windows against the real reader under Wine.

Runs the native ini_probe (the simulated Windows) and the Windows ini_probe under Wine in code
page 936 on the same corpus and questions, and compares the answers question by question: the
return value, every byte of the caller's buffer (also the bytes behind the terminator) and the
guard bytes just past the buffer.

A question marked "wine-differs" in questions.txt is one on which Wine is known to answer
unlike Windows; the simulated Windows follows Windows there. Such a question must differ, and
is reported with both answers; if Wine and the simulation agree on it, the mark is stale and the
run fails.

Prints "PASS ini-conformance ..." or "FAIL ini-conformance: ..." and a closing
"N passed, N failed" line (one count per question); exits non-zero on any failure.

Usage: compare.py [--native PROBE] [--windows PROBE.exe]
(defaults: build/native/tests/ini_conformance/ini_probe and the bench's Windows build)
"""

from __future__ import annotations

import argparse
import re
import shutil
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
REPO = HERE.parents[1]
CORPUS = HERE / "corpus"
QUESTIONS = HERE / "questions.txt"
sys.path.insert(0, str(REPO / "tests" / "e2e"))

import bench  # noqa: E402  (the Wine bench: isolated prefixes in code page 936)

NAME = "ini-conformance"
PROBE_TIMEOUT = 120
ANSWER = re.compile(r"ret=(\S+) buf=(\S*) guard=(\S*)$")
FIELD = re.compile(r'"(?:[^"\\]|\\.)*"|\S+')


class Failure(Exception):
    pass


def read_questions() -> list[tuple[str, str | None]]:
    """(id, reason) per question in file order; reason is the text of a wine-differs mark."""
    questions = []
    for line in QUESTIONS.read_text(encoding="latin-1").splitlines():
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        fields = list(FIELD.finditer(line))
        if len(fields) < 6:
            raise Failure(f"malformed question line: {line!r}")
        rest = line[fields[5].end():].strip()
        reason = rest[len("wine-differs:"):].strip() if rest.startswith("wine-differs") else None
        questions.append((fields[0].group(), reason))
    return questions


def parse_answers(text: str, reader: str) -> tuple[str, dict[str, str]]:
    """The probe's header line and its answers by question id."""
    lines = text.splitlines()
    if not lines:
        raise Failure(f"the {reader} probe printed nothing")
    answers = {}
    for line in lines[1:]:
        qid, _, answer = line.partition(" ")
        if not ANSWER.match(answer):
            raise Failure(f"the {reader} probe printed an unreadable line: {line!r}")
        answers[qid] = answer
    return lines[0], answers


def run_native(probe: Path) -> dict[str, str]:
    if not probe.is_file():
        raise Failure(f"no native probe at {probe} (build the native preset first)")
    result = subprocess.run([str(probe), str(CORPUS), str(QUESTIONS)], capture_output=True,
                            timeout=PROBE_TIMEOUT)
    if result.returncode != 0:
        raise Failure(f"the native probe failed ({result.returncode}): "
                      f"{result.stderr.decode('utf-8', 'replace').strip()}")
    header, answers = parse_answers(result.stdout.decode("ascii", "replace"), "native")
    if header != "reader=sim":
        raise Failure(f"the native probe is not the simulated reader: {header!r}")
    return answers


def run_windows(probe: Path | None) -> dict[str, str]:
    platform = bench.choose_platform()
    probe = (probe or platform.build_dir / "tests" / "ini_conformance" / "ini_probe.exe").resolve()
    if not probe.is_file():
        raise Failure(f"no Windows probe at {probe} (build the {platform.preset} preset first)")
    with bench.Prefix("ini_conformance", platform=platform) as prefix:
        # The probe reads its files from inside the prefix, like the program reads its package.
        folder = prefix.host_path("C:\\ini_conformance")
        shutil.copytree(CORPUS, folder / "corpus")
        shutil.copy2(QUESTIONS, folder / "questions.txt")
        result = prefix.run(probe, ["C:\\ini_conformance\\corpus",
                                    "C:\\ini_conformance\\questions.txt"],
                            timeout=PROBE_TIMEOUT)
    if result.timed_out:
        raise Failure(f"the Windows probe did not finish within {PROBE_TIMEOUT} s")
    if result.returncode != 0:
        raise Failure(f"the Windows probe failed ({result.returncode}): {result.stderr.strip()}")
    header, answers = parse_answers(result.stdout, "Windows")
    # Every GBK answer depends on the ANSI code page; under 1252 the comparison means nothing.
    if header != "reader=windows acp=936":
        raise Failure(f"the Windows probe did not run in code page 936: {header!r}")
    return answers


def readable(answer: str) -> str:
    """ret=N "text" with bytes the reader left alone shown as a middle dot run."""
    ret, buf, guard = ANSWER.match(answer).groups()
    text = ""
    for token in re.findall(r"--\*\d+|..", buf):
        if token.startswith("--*"):
            text += f"\u00b7{{{token[3:]}}}"
        elif token == "--":
            text += "\u00b7"
        elif token == "!!":
            text += "!"
        else:
            byte = int(token, 16)
            text += chr(byte) if 0x20 <= byte < 0x7F and chr(byte) not in '\\"' else f"\\x{byte:02x}"
    guard_text = "untouched" if re.fullmatch(r"(--)*(--\*\d+)?", guard) else f"WRITTEN {guard}"
    return f'ret={ret} "{text}" guard {guard_text}'


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--native", type=Path,
                        default=REPO / "build" / "native" / "tests" / "ini_conformance" / "ini_probe")
    parser.add_argument("--windows", type=Path, default=None)
    args = parser.parse_args()

    try:
        questions = read_questions()
        sim = run_native(args.native)
        wine = run_windows(args.windows)
    except (Failure, OSError, subprocess.SubprocessError, RuntimeError) as error:
        print(f"FAIL {NAME}: {error}")
        print(f"0 passed, 1 failed")
        return 1

    failures, known = [], []
    for qid, reason in questions:
        if qid not in sim or qid not in wine:
            failures.append(f"{qid}: no answer from the {'native' if qid not in sim else 'Windows'} probe")
            continue
        same = sim[qid] == wine[qid]
        both = f"\n    sim : {readable(sim[qid])}\n    wine: {readable(wine[qid])}"
        if reason is None and not same:
            failures.append(f"{qid}: the simulated Windows answers unlike Wine{both}")
        elif reason is not None and same:
            failures.append(f"{qid}: marked as a known Wine difference, but Wine answers like the "
                            f"simulated Windows: {readable(sim[qid])}")
        elif reason is not None:
            known.append(f"{qid}: {reason}{both}")
        for reader, answers in (("sim", sim), ("wine", wine)):
            guard = ANSWER.match(answers[qid]).group(3)
            if not re.fullmatch(r"(--)*(--\*\d+)?", guard):
                failures.append(f"{qid}: the {reader} reader wrote past the buffer: {guard}")

    for line in known:
        print(f"KNOWN WINE DIFFERENCE {line}")
    for line in failures:
        print(f"FAIL {line}")
    total = len(questions)
    if failures:
        names = sorted({line.split(":", 1)[0] for line in failures})
        print(f"FAIL {NAME}: {len(names)} of {total} questions: {', '.join(names)}")
    else:
        print(f"PASS {NAME}: {total} questions, {total - len(known)} identical, "
              f"{len(known)} known Wine differences")
    failed = len({line.split(":", 1)[0] for line in failures})
    print(f"{total - failed} passed, {failed} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
