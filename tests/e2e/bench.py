"""The Wine bench: isolated Wine prefixes in which our Windows programs run.

A template prefix is made once under build/wine/ and reused while the Wine version and the
architecture stay the same. Every user of the bench gets its own throw-away prefix on top of it
(an overlay mount where the machine allows it, else a full copy), reporting the Windows version
it asks for, in code page 936, headless unless a display is given.

Typical use from another test script:

    import bench
    with bench.Prefix("ini_conformance", version="winxp") as prefix:
        exe = bench.choose_platform().build_dir / "ini_probe.exe"
        result = prefix.run(exe, ["C:\\corpus\\a.ini"], cwd=prefix.drive_c, timeout=30)
        print(result.returncode, result.stdout)

Only the Python standard library is used.
"""

from __future__ import annotations

import dataclasses
import fcntl
import os
import re
import shutil
import subprocess
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
BUILD = REPO / "build"
WINE_ROOT = BUILD / "wine"
LOCALE_DIR = BUILD / "locale"
LOCALE = "zh_CN.UTF-8"
# Without a locale of its own Wine's ANSI code page is 1252, as on an English Windows.
ENGLISH_LOCALE = "C.UTF-8"

WINE_FONTS = Path("/usr/share/wine/fonts")
CJK_FONT = Path("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc")

# The versions Wine can be told to report. Of the NT 6 family and later, win8 and win10 are
# workstations (6.2: without a manifest naming them, a program is told 6.2, as on Windows) and
# win2008 a server (6.0). Wine 8.0 swaps two: its win2008r2 reports 6.1 as a workstation, which
# is Windows 7, and its win7 reports 6.1 as a server (measured with GetVersionExA's extended
# form). win31 (Win32s) is a platform the program does not support.
WINDOWS_VERSIONS = ("win31", "win98", "nt40", "win2k", "winxp", "win2003", "win7", "win2008r2",
                    "win8", "win10", "win2008")

# A cold Wine session starts a handful of services; give it room on a busy machine.
WINE_CALL_TIMEOUT = 60


@dataclasses.dataclass(frozen=True)
class Platform:
    """Which Wine and which build of our programs the bench uses on this machine."""

    arch: str  # WINEARCH of the prefixes: "win32" or "win64"
    build_dir: Path  # where Setup.exe and the test programs are built
    preset: str  # the CMake preset that makes build_dir
    wine: str  # the loader
    wineserver: str


def _can_run_32bit() -> bool:
    try:
        probe = subprocess.run(["/lib/ld-linux.so.2", "--version"], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, timeout=10)
    except (OSError, subprocess.TimeoutExpired):
        return False
    return probe.returncode == 0


def choose_platform() -> Platform:
    """The one place that decides between 32-bit and 64-bit Wine.

    The product is 32-bit, so a machine that can execute 32-bit code runs the i686 build in a
    32-bit prefix. Where the CPU or kernel cannot (no 32-bit Wine is possible there), the bench
    runs the x86-64 build of the same sources in a 64-bit prefix. SETUP_BENCH_ARCH=win64
    chooses the 64-bit bench on a machine that could run both, so that both can be proven.
    """
    server = "/usr/lib/wine/wineserver64"
    if not os.access(server, os.X_OK):
        server = "/usr/lib/wine/wineserver32"
    forced_64 = os.environ.get("SETUP_BENCH_ARCH") == "win64"
    if not forced_64 and _can_run_32bit() and os.access("/usr/lib/wine/wine", os.X_OK):
        return Platform("win32", BUILD / "windows", "windows", "/usr/lib/wine/wine", server)
    return Platform("win64", BUILD / "windows64", "windows64", "/usr/lib/wine/wine64", server)


def wow64_platform() -> tuple[Platform | None, str]:
    """The 32-bit build in a 64-bit prefix, as a 32-bit program meets 64-bit Windows (WOW64).

    Returns (platform, "") where this machine can run it, else (None, why not): 32-bit code
    cannot run here, or Wine's 32-bit or 64-bit loader is missing."""
    server = "/usr/lib/wine/wineserver64"
    if not _can_run_32bit():
        return None, "this machine cannot run 32-bit code"
    for loader in ("/usr/lib/wine/wine", "/usr/lib/wine/wine64", server):
        if not os.access(loader, os.X_OK):
            return None, f"{loader} is not installed"
    return Platform("win64", BUILD / "windows", "windows", "/usr/lib/wine/wine64", server), ""


def package_layout(platform: Platform) -> Path:
    """The sample package as the build laid it out, with Setup.exe and the built DLLs
    (build/windows -> build/package, build/windows64 -> build/package64)."""
    suffix = platform.build_dir.name[len("windows"):]
    return platform.build_dir.parent / f"package{suffix}"


def wine_version(platform: Platform) -> str:
    out = subprocess.run([platform.wine, "--version"], capture_output=True, text=True,
                         timeout=WINE_CALL_TIMEOUT)
    return out.stdout.strip()


def ensure_locale() -> Path:
    """Builds the zh_CN.UTF-8 locale once; with it Wine's ANSI code page is 936."""
    target = LOCALE_DIR / LOCALE
    if (target / "LC_CTYPE").exists():
        return LOCALE_DIR
    LOCALE_DIR.mkdir(parents=True, exist_ok=True)
    with open(LOCALE_DIR / ".lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if not (target / "LC_CTYPE").exists():
            # localedef may warn (exit 1) about zh_CN details and still write a usable locale.
            subprocess.run(["localedef", "-i", "zh_CN", "-f", "UTF-8", str(target)],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
        if not (target / "LC_CTYPE").exists():
            raise RuntimeError(f"localedef could not build {target}")
    return LOCALE_DIR


def wine_env(platform: Platform, prefix: Path, display: str | None = None,
             english: bool = False) -> dict[str, str]:
    """The environment of every Wine call: this prefix, code page 936 (1252 for an English
    Windows), quiet, no Mono/Gecko."""
    env = {k: v for k, v in os.environ.items()
           if not k.startswith(("WINE", "LC_")) and k not in ("LANG", "LANGUAGE", "DISPLAY")}
    env.update({
        "WINEPREFIX": str(prefix),
        "WINEARCH": platform.arch,
        "WINELOADER": platform.wine,
        "WINESERVER": platform.wineserver,
        "WINEDEBUG": "-all",
        # No Mono or Gecko install prompts; no menu entries written to the Linux desktop.
        "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
        "LOCPATH": str(ensure_locale()),
        "LANG": ENGLISH_LOCALE if english else LOCALE,
        "LC_ALL": ENGLISH_LOCALE if english else LOCALE,
    })
    if display:
        env["DISPLAY"] = display
    return env


def _run_logged(argv: list[str], env: dict[str, str], log: Path, timeout: float | None,
                cwd: Path | None = None) -> tuple[int | None, float]:
    """Runs a Wine command with its output in files, never pipes: a Wine call that starts the
    session hands its stdio to services.exe, and a pipe would stay open until the session
    ends. Returns (exit code or None on timeout, seconds)."""
    start = time.monotonic()
    with open(log.with_suffix(".out"), "wb") as out, open(log.with_suffix(".err"), "wb") as err:
        proc = subprocess.Popen(argv, env=env, cwd=cwd, stdin=subprocess.DEVNULL, stdout=out,
                                stderr=err)
        try:
            code: int | None = proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
            code = None
    return code, time.monotonic() - start


def _stop_server(platform: Platform, env: dict[str, str]) -> None:
    """Ends the prefix's wineserver and every Wine process of that prefix, and waits for it."""
    for flag in ("-k", "-w"):
        try:
            subprocess.run([platform.wineserver, flag], env=env, stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
        except subprocess.TimeoutExpired:
            pass


# Raise when the template's recipe below changes, so that no old template is reused.
TEMPLATE_REVISION = 2


def template_path(platform: Platform) -> Path:
    key = re.sub(r"[^A-Za-z0-9.]+", "-", wine_version(platform)).strip("-")
    return WINE_ROOT / f"template-{key}-{platform.arch}-r{TEMPLATE_REVISION}"


def ensure_template(platform: Platform | None = None) -> Path:
    """Returns the template prefix, making it first when it is missing or incomplete.

    A lock keeps parallel runs from building it twice; the ready marker is written last, so an
    interrupted build is redone."""
    platform = platform or choose_platform()
    template = template_path(platform)
    marker = template / ".bench-ready"
    if marker.exists():
        return template
    WINE_ROOT.mkdir(parents=True, exist_ok=True)
    with open(WINE_ROOT / ".template.lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if marker.exists():
            return template
        building = template.with_name(template.name + ".new")
        shutil.rmtree(building, ignore_errors=True)
        building.mkdir(parents=True)
        env = wine_env(platform, building)
        logs = WINE_ROOT / "logs"
        logs.mkdir(exist_ok=True)
        try:
            code, _ = _run_logged([platform.wine, "wineboot", "-i"], env, logs / "wineboot",
                                  timeout=300)
            if code != 0:
                raise RuntimeError(f"wineboot -i failed ({code}); see {logs}")
            settings = [
                # Headless runs: X11 when a display works, else the null driver (windows still
                # exist and take messages).
                (r"HKCU\Software\Wine\Drivers", "Graphics", "REG_SZ", "x11,null"),
                # A crashing program ends (its backtrace in the logs) instead of waiting behind
                # a crash dialog that nobody closes.
                (r"HKCU\Software\Wine\WineDbg", "ShowCrashDialog", "REG_DWORD", "0"),
            ]
            for key, name, kind, data in settings:
                code, _ = _run_logged([platform.wine, "reg", "add", key, "/v", name, "/t", kind,
                                       "/d", data, "/f"], env, logs / name, WINE_CALL_TIMEOUT)
                if code != 0:
                    raise RuntimeError(f"reg add {key} {name} failed ({code})")
        finally:
            _stop_server(platform, env)
        fonts = building / "drive_c" / "windows" / "Fonts"
        fonts.mkdir(parents=True, exist_ok=True)
        # Wine's own fonts draw the title-bar buttons; a CJK font draws the Chinese texts.
        for font in list(WINE_FONTS.glob("*")) + [CJK_FONT]:
            if font.is_file():
                shutil.copy2(font, fonts / font.name)
        (building / ".bench-ready").write_text(wine_version(platform) + "\n")
        shutil.rmtree(template, ignore_errors=True)
        building.rename(template)
        _remove_unused_templates(keep=template)
    return template


def _remove_unused_templates(keep: Path) -> None:
    """Old templates (another Wine, an older recipe) take 700 MB each; drop those not mounted."""
    with open("/proc/mounts") as mounts:
        in_use = mounts.read()
    for old in WINE_ROOT.glob("template-*-r*"):
        if old != keep and old.is_dir() and f"lowerdir={old}," not in in_use:
            shutil.rmtree(old, ignore_errors=True)


def _is_mounted(path: Path) -> bool:
    with open("/proc/mounts") as mounts:
        return any(line.split()[1] == str(path) for line in mounts)


@dataclasses.dataclass
class RunResult:
    returncode: int | None  # None when the program was killed at its timeout
    stdout: str
    stderr: str
    seconds: float

    @property
    def timed_out(self) -> bool:
        return self.returncode is None


class Prefix:
    """An isolated Wine prefix for one scenario or test, discarded on close.

    name: a folder name under build/e2e/work/ (logs stay in build/e2e/work/<name>/logs).
    version: what Wine reports to programs (one of WINDOWS_VERSIONS).
    display: an X display to draw on; None runs headless.
    unmanaged: windows without a window manager (for Xvfb, where a managed close stalls).
    root: another folder for the prefix and its logs instead of build/e2e/work/<name>.
    english: an English Windows (code page 1252) instead of a Chinese one (936).
    """

    def __init__(self, name: str, version: str = "winxp", display: str | None = None,
                 unmanaged: bool = False, platform: Platform | None = None,
                 root: Path | None = None, english: bool = False):
        if version not in WINDOWS_VERSIONS:
            raise ValueError(f"unknown Windows version {version!r}")
        self.platform = platform or choose_platform()
        self.name = name
        self.version = version
        self.display = display
        self.unmanaged = unmanaged
        self.root = root or BUILD / "e2e" / "work" / name
        self.path = self.root / "prefix"
        self.logs = self.root / "logs"
        self.env = wine_env(self.platform, self.path, display, english)
        self._mounted = False
        self._calls = 0

    @property
    def drive_c(self) -> Path:
        return self.path / "drive_c"

    def host_path(self, windows_path: str) -> Path:
        """C:\\x\\y -> the file inside this prefix."""
        match = re.fullmatch(r"[cC]:\\?(.*)", windows_path)
        if not match:
            raise ValueError(f"only C: paths are supported: {windows_path}")
        parts = [p for p in match.group(1).split("\\") if p]
        return self.drive_c.joinpath(*parts)

    def windows_path(self, host_path: Path) -> str:
        """A host path as programs in this prefix see it: C:\\... inside drive_c, else Z:\\..."""
        host = Path(host_path).resolve()
        drive_c = self.drive_c.resolve()
        if host == drive_c or drive_c in host.parents:
            return "C:\\" + "\\".join(host.relative_to(drive_c).parts)
        return "Z:" + str(host).replace("/", "\\")

    def __enter__(self) -> "Prefix":
        self.open()
        return self

    def __exit__(self, *exc) -> None:
        self.close()

    def open(self) -> None:
        template = ensure_template(self.platform)
        self._discard()
        self.logs.mkdir(parents=True)
        self.path.mkdir()
        upper, work = self.root / "upper", self.root / "overlay-work"
        upper.mkdir()
        work.mkdir()
        # Copy-on-write: milliseconds instead of seconds, and the template is never written.
        # Hard links are no option: Wine rewrites its registry files in place.
        mount = subprocess.run(
            ["mount", "-t", "overlay", "overlay", "-o",
             f"lowerdir={template},upperdir={upper},workdir={work}", str(self.path)],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
        self._mounted = mount.returncode == 0
        if not self._mounted:
            self.path.rmdir()
            subprocess.run(["cp", "-a", str(template), str(self.path)], check=True, timeout=300)
        self._configure()

    def _configure(self) -> None:
        self.reg_add(r"HKCU\Software\Wine", "Version", self.version)
        if self.unmanaged:
            self.reg_add(r"HKCU\Software\Wine\X11 Driver", "Managed", "N")
        if self.version == "win98":
            # Windows 98 has its print-processor folder from the start; a fresh Wine prefix not.
            (self.drive_c / "windows/system32/spool/prtprocs/win40").mkdir(parents=True,
                                                                            exist_ok=True)
        # Windows has pjlmon.dll, the language monitor the package's drivers name, in its system
        # directory; Wine has none. The prefix gets the build's own (packagedlls/), when built.
        pjlmon = self.platform.build_dir / "packagedlls" / "language_monitor" / "pjlmon.dll"
        if pjlmon.is_file():
            shutil.copy2(pjlmon, self.drive_c / "windows" / "system32" / "pjlmon.dll")

    def close(self) -> None:
        _stop_server(self.platform, self.env)
        if self._mounted:
            if subprocess.run(["umount", str(self.path)], timeout=60).returncode != 0:
                # A Wine process that outlived its server still holds the mount.
                subprocess.run(["umount", "-l", str(self.path)], timeout=60)
            self._mounted = False
        for leftover in (self.path, self.root / "upper", self.root / "overlay-work"):
            shutil.rmtree(leftover, ignore_errors=True)

    def _discard(self) -> None:
        """Removes what an interrupted earlier run may have left at this place."""
        if _is_mounted(self.path):
            _stop_server(self.platform, self.env)
            subprocess.run(["umount", "-l", str(self.path)], timeout=60)
        shutil.rmtree(self.root, ignore_errors=True)

    def wine(self, args: list[str], timeout: float | None = WINE_CALL_TIMEOUT,
             cwd: Path | None = None) -> RunResult:
        """Runs `wine ARGS` in this prefix; output is captured through files in the logs."""
        self._calls += 1
        log = self.logs / f"{self._calls:03d}-{Path(args[0]).stem}"
        code, seconds = _run_logged([self.platform.wine] + args, self.env, log, timeout, cwd)
        out = log.with_suffix(".out").read_bytes().decode("utf-8", "replace")
        err = log.with_suffix(".err").read_bytes().decode("utf-8", "replace")
        return RunResult(code, out, err, seconds)

    def run(self, exe: Path | str, args: list[str] | tuple[str, ...] = (),
            cwd: Path | None = None, timeout: float | None = 30) -> RunResult:
        """Runs one of our Windows programs and waits for it.

        exe: a host path (inside or outside the prefix; Wine maps it) or a Windows path.
        cwd: a host folder (default drive_c); inside drive_c it is C:\\..., elsewhere Z:\\...
        The program is killed after `timeout` seconds (then returncode is None); None waits
        for as long as it runs."""
        return self.wine([str(exe)] + list(args), timeout=timeout,
                         cwd=cwd if cwd is not None else self.drive_c)

    def reg_add(self, key: str, name: str, data: str) -> None:
        result = self.wine(["reg", "add", key, "/v", name, "/d", data, "/f"])
        if result.returncode != 0:
            raise RuntimeError(f"reg add {key} {name} failed: {result.returncode}")

    def reg_query(self, key: str, *options: str) -> RunResult:
        """`reg query KEY [options]`: exit code 0 when the key (or value) exists, 1 when not."""
        return self.wine(["reg", "query", key] + list(options))
