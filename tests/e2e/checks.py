"""The runner's own checks of a scenario's outcome, made without the program under test: the
registry through `wine reg query`, files through the prefix's folders on the Linux side."""

from __future__ import annotations

import hashlib
import re
from pathlib import Path

import bench
from scenario import Check

UNCHANGED = ("unchanged-key", "unchanged-file", "unchanged-tree")


def _tree_state(root: Path) -> dict[str, str]:
    """Every folder and file below root, with the files' sizes and digests."""
    if not root.exists():
        return {}
    state = {}
    for path in sorted(root.rglob("*")):
        relative = str(path.relative_to(root))
        if path.is_dir():
            state[relative] = "folder"
        else:
            data = path.read_bytes()
            state[relative] = f"{len(data)} bytes, sha1 {hashlib.sha1(data).hexdigest()[:12]}"
    return state


def _file_state(path: Path) -> bytes | None:
    return path.read_bytes() if path.is_file() else None


def _key_state(prefix: bench.Prefix, key: str) -> str:
    result = prefix.reg_query(key, "/s")
    if result.returncode not in (0, 1):
        raise RuntimeError(f"reg query {key} /s failed: {result.returncode}")
    return result.stdout if result.returncode == 0 else "(missing)"


def _state(prefix: bench.Prefix, check: Check):
    target = check.args[0]
    if check.kind == "unchanged-key":
        return _key_state(prefix, target)
    if check.kind == "unchanged-file":
        return _file_state(prefix.host_path(target))
    return _tree_state(prefix.host_path(target))


def snapshot(prefix: bench.Prefix, checks: list[Check]) -> dict[int, object]:
    """The state that the unchanged-* checks compare against, taken before the program runs."""
    return {i: _state(prefix, c) for i, c in enumerate(checks) if c.kind in UNCHANGED}


def _describe_change(before, after) -> str:
    if isinstance(before, dict):
        added = sorted(set(after) - set(before))
        removed = sorted(set(before) - set(after))
        changed = sorted(k for k in set(before) & set(after) if before[k] != after[k])
        parts = [f"{label}: {', '.join(items[:5])}" for label, items in
                 (("added", added), ("removed", removed), ("changed", changed)) if items]
        return "; ".join(parts)
    if isinstance(before, str):
        old, new = set(before.splitlines()), set(after.splitlines())
        lines = [f"+{x.strip()}" for x in sorted(new - old)] + \
                [f"-{x.strip()}" for x in sorted(old - new)]
        return "; ".join(lines[:6])
    return f"{'missing' if before is None else len(before)} -> " \
           f"{'missing' if after is None else len(after)} bytes"


def full_key(key: str) -> str:
    """A key as reg query prints it: HKLM and HKCU spelled out."""
    for short, long in (("HKLM\\", "HKEY_LOCAL_MACHINE\\"), ("HKCU\\", "HKEY_CURRENT_USER\\")):
        if key.upper().startswith(short):
            return long + key[len(short):]
    return key


def reg_value(prefix: bench.Prefix, key: str, name: str) -> str | None:
    """The value's data as reg query prints it (a DWORD as 0x...), or None when missing. Names
    may hold blanks ("Printer Driver"): the type word REG_... ends the name."""
    result = prefix.reg_query(key, "/v", name)
    if result.returncode != 0:
        return None
    for line in result.stdout.splitlines():
        match = re.match(r"\s*(.*?)\s+(REG_[A-Z_]+)(?:\s+(.*?))?\s*$", line)
        if match and match.group(1).lower() == name.lower():
            return match.group(3) or ""
    return None


def ini_value(path: Path, section: str, key: str) -> str | None:
    """A value of an INI file as Windows reads it: names without regard to case, blanks around
    the value trimmed, the first section and key of a name counting; None when missing."""
    if not path.is_file():
        return None
    current = None
    for raw in path.read_bytes().decode("gbk", "replace").splitlines():
        line = raw.strip()
        if line.startswith("["):
            current = line[1:].split("]")[0].strip().lower()
        elif current == section.lower() and "=" in line:
            name, _, value = line.partition("=")
            if name.strip().lower() == key.lower():
                return value.strip()
    return None


DEFAULT_PRINTER_KEY = r"HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows"


def default_printer(prefix: bench.Prefix) -> str | None:
    """The user's default printer: the part of [windows] "device" before its first comma."""
    device = reg_value(prefix, DEFAULT_PRINTER_KEY, "device")
    return None if device is None else device.split(",")[0]


def service_state(prefix: bench.Prefix, name: str) -> str | None:
    """The service's state word as `sc query` prints it (RUNNING, STOPPED...); None when the
    service is unknown."""
    result = prefix.wine(["sc", "query", name])
    match = re.search(r"STATE\s*:\s*\d+\s+(\w+)", result.stdout)
    return match.group(1) if result.returncode == 0 and match else None


def verify(prefix: bench.Prefix, checks: list[Check], before: dict[int, object]) -> list[str]:
    """Runs every check; returns one message per failed check."""
    failures = []
    for i, check in enumerate(checks):
        target = check.args[0]
        if check.kind in ("key", "no-key"):
            code = prefix.reg_query(target).returncode
            if code not in (0, 1):
                failures.append(f"{check}: reg query failed ({code})")
            elif (code == 0) != (check.kind == "key"):
                failures.append(f"{check}: the key is {'present' if code == 0 else 'missing'}")
        elif check.kind == "value":
            data = reg_value(prefix, target, check.args[1])
            if data != check.args[2]:
                failures.append(f"{check}: found {'no value' if data is None else repr(data)}")
        elif check.kind == "no-value":
            data = reg_value(prefix, target, check.args[1])
            if data is not None:
                failures.append(f"{check}: the value is there ({data!r})")
        elif check.kind == "ini-value":
            data = ini_value(prefix.host_path(target), check.args[1], check.args[2])
            if data != check.args[3]:
                failures.append(f"{check}: found {'no value' if data is None else repr(data)}")
        elif check.kind == "default-printer":
            name = default_printer(prefix)
            if name != target:
                failures.append(f"{check}: the default printer is "
                                f"{'not set' if name is None else repr(name)}")
        elif check.kind == "same-file":
            mine, other = (_file_state(prefix.host_path(a)) for a in check.args)
            if mine is None or mine != other:
                failures.append(f"{check}: " + ("the file is missing" if mine is None else
                                                "the contents differ"))
        elif check.kind == "service":
            state = service_state(prefix, target)
            if state != check.args[1]:
                failures.append(f"{check}: the service is {state or 'unknown'}")
        elif check.kind == "file-contains":
            path = prefix.host_path(target)
            text = path.read_bytes().decode("utf-8", "replace") if path.exists() else None
            if text is None or check.args[1] not in text:
                failures.append(f"{check}: " + ("the file is missing" if text is None else
                                                "the text is not in it"))
        elif check.kind in ("file", "no-file"):
            exists = prefix.host_path(target).exists()
            if exists != (check.kind == "file"):
                failures.append(f"{check}: the file is {'present' if exists else 'missing'}")
        else:
            after = _state(prefix, check)
            if after != before[i]:
                failures.append(f"{check}: changed ({_describe_change(before[i], after)})")
    return failures
