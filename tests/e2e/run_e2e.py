#!/usr/bin/env python3
"""Runs the end-to-end scenarios under Wine and reports one line per scenario.

    tests/e2e/run_e2e.py [-j N] [--screenshots DIR] [SCENARIO ...]

Builds nothing: Setup.exe and e2e_driver.exe must already be in the build folder that
bench.choose_platform() names (scripts/test builds them first). Each scenario's transcript and
Wine logs stay in build/e2e/work/<scenario>/. Exit code 0 when every scenario passed.
"""

from __future__ import annotations

import argparse
import concurrent.futures
import os
import shutil
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

import bench  # noqa: E402
import checks  # noqa: E402
import scenario as scenarios  # noqa: E402
from screenshots import ScreenshotService, rerun_under_xvfb, under_xvfb  # noqa: E402

def lay_out_package(source: Path, target: Path, platform: bench.Platform) -> None:
    """The package as a user gets it, with our Setup.exe beside DRVCONFIG. The sample package
    comes as the build laid it out, so that its DLLs are the real ones the spooler loads."""
    if not (source / "DRVCONFIG").is_dir():
        raise RuntimeError(f"{source} has no DRVCONFIG folder")
    layout = bench.package_layout(platform)
    if source.resolve() == (bench.REPO / "package").resolve() and (layout / "Setup.exe").is_file():
        source = layout
    shutil.copytree(source, target)
    shutil.copy2(platform.build_dir / "Setup.exe", target / "Setup.exe")


NO_TRANSCRIPT = "the driver wrote no transcript"


def prepare_system(prefix: bench.Prefix, sc: scenarios.Scenario,
                   platform: bench.Platform) -> None:
    """The scenario's set-up lines: registry values and files as an earlier installation or
    another program left them, and services running as Windows runs them."""
    for preset in sc.file_presets:
        path = prefix.host_path(scenarios.expand(preset.path, platform))
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(preset.text, encoding="utf-8")
    for copied in sc.copied_files:
        path = prefix.host_path(copied.path)
        path.parent.mkdir(parents=True, exist_ok=True)
        shutil.copy2(bench.REPO / copied.source, path)
    for preset in sc.reg_presets:
        result = prefix.wine(["reg", "add", scenarios.expand(preset.key, platform), "/v",
                              preset.name, "/t", preset.type, "/d", preset.data, "/f"])
        if result.returncode != 0:
            raise RuntimeError(f"reg add {preset.key} {preset.name} failed: {result.returncode}")
    for service in sc.started_services:
        result = prefix.wine(["net", "start", service])
        if result.returncode != 0:
            raise RuntimeError(f"net start {service} failed: {result.returncode}")


def driver_failure(transcript: Path) -> str:
    if not transcript.exists():
        return NO_TRANSCRIPT
    for line in transcript.read_text(encoding="utf-8", errors="replace").splitlines():
        if line.startswith("FAIL "):
            return line[5:].strip()
    return "the driver failed without saying why"


def run_scenario(sc: scenarios.Scenario, platform: bench.Platform, shots: Path | None,
                 closer: concurrent.futures.Executor) -> tuple[bool, str, float]:
    """Runs one scenario; the prefix is discarded by `closer` afterwards, so that stopping its
    Wine session overlaps the next scenario."""
    start = time.monotonic()
    display = os.environ.get("DISPLAY") if shots else None
    prefix = bench.Prefix(sc.name, sc.windows, display=display, unmanaged=shots is not None,
                          platform=platform, english=sc.english)
    try:
        prefix.open()
        lay_out_package(sc.package, prefix.drive_c / "pkg", platform)
        for edit in sc.ini_edits:
            scenarios.apply_ini_edit(prefix.drive_c / "pkg", edit)
        prepare_system(prefix, sc, platform)
        e2e = prefix.drive_c / "e2e"
        e2e.mkdir()
        shutil.copy2(platform.build_dir / "e2e_driver.exe", e2e)
        steps = [scenarios.expand(step, platform) for step in sc.steps]
        (e2e / "steps.txt").write_text("\n".join(steps) + "\n", encoding="utf-8")
        outcome_checks = scenarios.expanded_checks(sc, platform)
        before = checks.snapshot(prefix, outcome_checks)

        args = ["--setup", sc.program, "--dir", sc.start_in,
                "--steps", r"C:\e2e\steps.txt", "--transcript", r"C:\e2e\transcript.txt"]
        if sc.arguments:
            args += ["--args", sc.arguments]
        service = None
        if shots is not None:
            (e2e / "shots").mkdir()
            args += ["--shots", r"C:\e2e\shots"]
            service = ScreenshotService(e2e / "shots", shots, f"{sc.name}-")
            service.start()
        try:
            result = prefix.run(e2e / "e2e_driver.exe", args, cwd=e2e, timeout=sc.timeout)
        finally:
            if service is not None:
                service.stop.set()
                service.join()
        transcript = e2e / "transcript.txt"
        if transcript.exists():
            shutil.copy2(transcript, prefix.root / "transcript.txt")

        problems = []
        if result.timed_out:
            problems.append(f"the driver did not finish within {sc.timeout:.0f} s "
                            f"(last failure: {driver_failure(transcript)})")
        elif sc.expect_failure is not None:
            reason = driver_failure(transcript)
            if result.returncode != 1 or sc.expect_failure not in reason:
                problems.append(f"expected the driver to fail with {sc.expect_failure!r}; "
                                f"exit code {result.returncode}, {reason!r}")
        elif result.returncode != 0:
            reason = driver_failure(transcript)
            if reason == NO_TRANSCRIPT:
                # Keep what Wine said, so that a failure to start the driver can be told apart.
                said = (result.stderr.strip().splitlines() or ["nothing"])[-1]
                print(f"run_e2e: {sc.name}: driver exit code {result.returncode}, Wine said: "
                      f"{said}", file=sys.stderr)
                problems.append(reason)
            else:
                problems.append(reason if result.returncode in (1, 2)
                                else f"the driver ended with exit code {result.returncode}")
        if service is not None:
            problems += service.errors
        problems += checks.verify(prefix, outcome_checks, before)
    finally:
        closer.submit(prefix.close)
    seconds = time.monotonic() - start
    if problems:
        extra = f" (+{len(problems) - 1} more)" if len(problems) > 1 else ""
        return False, problems[0] + extra, seconds
    return True, "", seconds


def missing_program(platform: bench.Platform) -> str:
    """Why the bench cannot run on this build, or "" when Setup.exe and the driver are there."""
    for program in ("Setup.exe", "e2e_driver.exe"):
        if not (platform.build_dir / program).exists():
            return (f"{platform.build_dir / program} is missing; build it with "
                    f"cmake --preset {platform.preset} && cmake --build {platform.build_dir}")
    return ""


def scenario_platform(sc: scenarios.Scenario,
                      bench_platform: bench.Platform) -> tuple[bench.Platform | None, str]:
    """The bench a scenario runs on: the chosen one, or for a WOW64 scenario the 32-bit build
    in a 64-bit prefix whichever bench was chosen. (None, why) when it cannot run here."""
    if not sc.wow64:
        return bench_platform, ""
    wow64, why = bench.wow64_platform()
    if wow64 is None:
        return None, why
    missing = missing_program(wow64)
    if missing:
        raise RuntimeError(missing)
    bench.ensure_template(wow64)
    return wow64, ""


def select(names: list[str]) -> list[scenarios.Scenario]:
    paths = scenarios.all_paths()
    if names:
        by_name = {p.name[:-len(scenarios.SUFFIX)]: p for p in paths}
        unknown = [n for n in names if n not in by_name]
        if unknown:
            raise scenarios.ScenarioError(f"unknown scenario(s): {', '.join(unknown)}")
        paths = [by_name[n] for n in names]
    return [scenarios.load(p) for p in paths]


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("scenarios", nargs="*", help="scenario names (default: all)")
    parser.add_argument("-j", "--jobs", type=int, default=os.cpu_count() or 1,
                        help="scenarios run at the same time (1 with --screenshots)")
    parser.add_argument("--screenshots", type=Path, metavar="DIR",
                        help="run under Xvfb and save the screenshot steps as PNG files in DIR")
    options = parser.parse_args()
    if options.screenshots and not under_xvfb():
        return rerun_under_xvfb()

    try:
        selected = select(options.scenarios)
    except scenarios.ScenarioError as error:
        print(f"run_e2e: {error}", file=sys.stderr)
        return 2
    platform = bench.choose_platform()
    missing = missing_program(platform)
    if missing:
        print(f"run_e2e: {missing}", file=sys.stderr)
        return 2
    shots = options.screenshots.resolve() if options.screenshots else None
    if shots:
        shots.mkdir(parents=True, exist_ok=True)

    started = time.monotonic()
    bench.ensure_template(platform)
    template_seconds = time.monotonic() - started
    jobs = 1 if shots else max(1, options.jobs)

    def one(sc: scenarios.Scenario) -> tuple[bool | None, str, float]:
        """(True, "", s) passed, (False, why, s) failed, (None, why, 0) cannot run here."""
        try:
            sc_platform, why = scenario_platform(sc, platform)
            if sc_platform is None:
                return None, why, 0.0
            result = run_scenario(sc, sc_platform, shots, closer)
            if not result[0] and result[1] == NO_TRANSCRIPT:
                # The driver never got to its first line: Wine failed to start it, which the
                # bench under load does now and then. Setup.exe has not run; run it once more.
                print(f"run_e2e: {sc.name}: {NO_TRANSCRIPT}; running it again", file=sys.stderr)
                result = run_scenario(sc, sc_platform, shots, closer)
            return result
        except Exception as error:  # a broken bench is a failed scenario, not a crash
            return False, f"bench error: {error}", 0.0

    passed = failed = skipped = 0
    times = []
    with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as closer, \
            concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
        for sc, (ok, reason, seconds) in zip(selected, pool.map(one, selected)):
            times.append(f"{sc.name} {seconds:.1f} s")
            if ok is None:
                skipped += 1
                print(f"SKIP {sc.name}: {reason}", flush=True)
            elif ok:
                passed += 1
                print(f"PASS {sc.name}", flush=True)
            else:
                failed += 1
                print(f"FAIL {sc.name}: {reason}", flush=True)
    total = time.monotonic() - started
    print(f"run_e2e: {platform.arch} prefix, template {template_seconds:.1f} s, "
          f"{jobs} at a time, total {total:.1f} s; " + ", ".join(times), file=sys.stderr)
    print(f"{passed} passed, {failed} failed" + (f", {skipped} skipped" if skipped else ""))
    return 0 if failed == 0 and passed > 0 else 1


if __name__ == "__main__":
    sys.exit(main())
