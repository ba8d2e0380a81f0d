"""Reads scenario files (tests/e2e/scenarios/*.scenario); the format is in tests/e2e/README.md."""

from __future__ import annotations

import dataclasses
from pathlib import Path

import bench

SCENARIO_DIR = Path(__file__).resolve().parent / "scenarios"
SUFFIX = ".scenario"

# The driver's step verbs (tests/e2e/driver/step_file.cpp reads the rest of each step).
STEP_VERBS = {"timeout", "wait-wizard", "expect-ascii", "expect-acp", "expect", "expect-text", "click",
              "expect-message", "answer", "expect-exit", "screenshot", "select",
              "expect-selected", "expect-entries", "press-f1", "press-key", "expect-windows", "syscommand",
              "dialog-click", "expect-dialog", "start-setup", "lock-file", "write-ini", "mark"}

# Check kind -> number of arguments.
CHECK_ARITY = {
    "key": 1, "no-key": 1, "value": 3, "unchanged-key": 1,
    "file": 1, "no-file": 1, "unchanged-file": 1, "unchanged-tree": 1,
    "no-value": 2, "ini-value": 4, "default-printer": 1, "same-file": 2, "service": 2,
    "file-contains": 2,
}

# Words that stand for what differs between the 32-bit and the 64-bit bench, replaced in steps,
# checks and set-up lines: the spooler's native environment and its driver folder name.
PLACEHOLDERS = ("{env}", "{arch}")


def expand(text: str, platform: bench.Platform) -> str:
    """{env} -> "Windows NT x86" or "Windows x64"; {arch} -> "w32x86" or "x64"."""
    wide = platform.arch == "win64"
    return text.replace("{env}", "Windows x64" if wide else "Windows NT x86") \
               .replace("{arch}", "x64" if wide else "w32x86")


class ScenarioError(Exception):
    pass


@dataclasses.dataclass
class Check:
    kind: str
    args: list[str]
    where: str  # file:line, for messages

    def __str__(self) -> str:
        return " ".join([self.kind] + [f'"{a}"' if " " in a else a for a in self.args])


@dataclasses.dataclass
class IniEdit:
    file: str  # relative to the package folder, with backslashes or slashes
    section: str
    key: str
    value: str


@dataclasses.dataclass
class RegPreset:
    """A registry value set before Setup.exe starts (reg add KEY /v NAME /t TYPE /d DATA)."""
    key: str
    name: str
    type: str
    data: str


@dataclasses.dataclass
class CopiedFile:
    """A file of the repository copied into the prefix before Setup.exe starts."""
    source: str  # relative to the repository
    path: str


@dataclasses.dataclass
class FilePreset:
    """A file put into the prefix before Setup.exe starts, with this text (UTF-8)."""
    path: str
    text: str


@dataclasses.dataclass
class Scenario:
    name: str
    windows: str = "winxp"
    package: Path = bench.REPO / "package"
    timeout: float = 60.0
    steps: list[str] = dataclasses.field(default_factory=list)
    checks: list[Check] = dataclasses.field(default_factory=list)
    ini_edits: list[IniEdit] = dataclasses.field(default_factory=list)
    reg_presets: list[RegPreset] = dataclasses.field(default_factory=list)
    file_presets: list[FilePreset] = dataclasses.field(default_factory=list)
    started_services: list[str] = dataclasses.field(default_factory=list)
    arguments: str = ""  # Setup.exe's command line after its name
    program: str = r"C:\pkg\Setup.exe"  # what the driver starts (a script runs under cmd.exe)
    start_in: str = r"C:\pkg"  # the current folder it starts in
    copied_files: list[CopiedFile] = dataclasses.field(default_factory=list)
    expect_failure: str | None = None  # the driver must fail with a reason containing this
    wow64: bool = False  # the 32-bit build in a 64-bit prefix, whichever bench runs
    english: bool = False  # an English Windows (code page 1252) instead of a Chinese one


def split_words(text: str) -> list[str]:
    """Blank-separated words; "..." quotes a word with blanks (escapes \\" \\\\ \\n inside
    quotes only; any other backslash stays, so that Windows paths need no doubling unless a
    folder or file name begins with n)."""
    words, i = [], 0
    while i < len(text):
        if text[i] in " \t":
            i += 1
            continue
        if text[i] == '"':
            word, i = "", i + 1
            while i < len(text) and text[i] != '"':
                if text[i] == "\\" and i + 1 < len(text) and text[i + 1] in '"\\n':
                    i += 1
                    word += "\n" if text[i] == "n" else text[i]
                else:
                    word += text[i]
                i += 1
            if i >= len(text):
                raise ScenarioError(f"unclosed quote in: {text}")
            words.append(word)
            i += 1
            continue
        end = i
        while end < len(text) and text[end] not in " \t":
            end += 1
        words.append(text[i:end])
        i = end
    return words


def _read_lines(path: Path, scenario: Scenario, depth: int = 0) -> None:
    if depth > 8:
        raise ScenarioError(f"{path}: includes nest too deep")
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        line = raw.strip()
        if not line or line.startswith("#"):
            continue
        where = f"{path.name}:{number}"
        keyword, _, rest = line.partition(" ")
        rest = rest.strip()
        if keyword == "step":
            verb = rest.split()[0] if rest else ""
            if verb not in STEP_VERBS:
                raise ScenarioError(f"{where}: unknown step {rest!r}")
            scenario.steps.append(rest)
            continue
        words = split_words(rest)
        if keyword == "windows":
            if len(words) != 1 or words[0] not in bench.WINDOWS_VERSIONS:
                raise ScenarioError(f"{where}: windows takes one of {bench.WINDOWS_VERSIONS}")
            scenario.windows = words[0]
        elif keyword == "bench":
            if words != ["wow64"]:
                raise ScenarioError(f"{where}: bench takes wow64")
            scenario.wow64 = True
        elif keyword == "package":
            if len(words) != 1:
                raise ScenarioError(f"{where}: package takes one folder")
            scenario.package = bench.REPO / words[0]
        elif keyword == "timeout":
            if len(words) != 1 or not words[0].isdigit():
                raise ScenarioError(f"{where}: timeout takes whole seconds")
            scenario.timeout = float(words[0])
        elif keyword == "include":
            if len(words) != 1:
                raise ScenarioError(f"{where}: include takes one file")
            _read_lines(path.parent / words[0], scenario, depth + 1)
        elif keyword == "check":
            if not words or words[0] not in CHECK_ARITY:
                raise ScenarioError(f"{where}: unknown check; known: {sorted(CHECK_ARITY)}")
            if len(words) - 1 != CHECK_ARITY[words[0]]:
                raise ScenarioError(f"{where}: {words[0]} takes {CHECK_ARITY[words[0]]} "
                                    "argument(s)")
            scenario.checks.append(Check(words[0], words[1:], where))
        elif keyword == "locale":
            if words not in (["chinese"], ["english"]):
                raise ScenarioError(f"{where}: locale takes chinese or english")
            scenario.english = words[0] == "english"
        elif keyword == "arguments":
            if len(words) != 1:
                raise ScenarioError(f'{where}: arguments takes one quoted text')
            scenario.arguments = words[0]
        elif keyword == "ini":
            if len(words) != 4:
                raise ScenarioError(f'{where}: ini takes FILE SECTION KEY "VALUE"')
            scenario.ini_edits.append(IniEdit(*words))
        elif keyword == "reg":
            if len(words) != 4 or not words[2].startswith("REG_"):
                raise ScenarioError(f'{where}: reg takes KEY NAME REG_TYPE "DATA"')
            scenario.reg_presets.append(RegPreset(*words))
        elif keyword == "put-file":
            if len(words) != 2:
                raise ScenarioError(f'{where}: put-file takes C:\\PATH "TEXT"')
            scenario.file_presets.append(FilePreset(*words))
        elif keyword in ("program", "start-in"):
            if len(words) != 1 or not words[0][1:3] == ":\\":
                raise ScenarioError(f"{where}: {keyword} takes one C:\\ path")
            if keyword == "program":
                scenario.program = words[0]
            else:
                scenario.start_in = words[0]
        elif keyword == "copy-file":
            if len(words) != 2 or not (bench.REPO / words[0]).is_file():
                raise ScenarioError(f"{where}: copy-file takes a repository file and C:\\PATH")
            scenario.copied_files.append(CopiedFile(*words))
        elif keyword == "start-service":
            if len(words) != 1:
                raise ScenarioError(f"{where}: start-service takes one service name")
            scenario.started_services.append(words[0])
        elif keyword == "expect-failure":
            if len(words) != 1:
                raise ScenarioError(f"{where}: expect-failure takes one quoted text")
            scenario.expect_failure = words[0]
        else:
            raise ScenarioError(f"{where}: unknown keyword {keyword!r}")


def expanded_checks(scenario: Scenario, platform: bench.Platform) -> list[Check]:
    """The scenario's checks with the placeholders replaced for this bench."""
    return [Check(c.kind, [expand(a, platform) for a in c.args], c.where)
            for c in scenario.checks]


def load(path: Path) -> Scenario:
    scenario = Scenario(name=path.name[:-len(SUFFIX)] if path.name.endswith(SUFFIX)
                        else path.stem)
    _read_lines(path, scenario)
    if not scenario.steps:
        raise ScenarioError(f"{path.name}: no steps")
    return scenario


def all_paths() -> list[Path]:
    return sorted(SCENARIO_DIR.glob("*" + SUFFIX))


def apply_ini_edit(package: Path, edit: IniEdit) -> None:
    """Sets KEY=VALUE in SECTION of a package INI file (names matched without regard to case, as
    Windows reads them), adding the key or the section where missing. The file's bytes are kept
    as they are (code page 936), line endings included."""
    path = package / edit.file.replace("\\", "/")
    text = path.read_bytes().decode("latin-1") if path.exists() else ""
    newline = "\r\n" if "\r\n" in text or not text else "\n"
    lines = text.splitlines()
    line = f"{edit.key}={edit.value}"
    in_section, section_end, done = False, None, False
    for i, raw in enumerate(lines):
        stripped = raw.strip()
        if stripped.startswith("["):
            if in_section:
                section_end = i
                break
            in_section = stripped[1:].split("]")[0].strip().lower() == edit.section.lower()
            continue
        if in_section and stripped.split("=")[0].strip().lower() == edit.key.lower() \
                and "=" in stripped:
            lines[i] = line
            done = True
            break
    if not done:
        if in_section:
            lines.insert(section_end if section_end is not None else len(lines), line)
        else:
            lines += [f"[{edit.section}]", line]
    path.write_bytes((newline.join(lines) + newline).encode("latin-1"))
