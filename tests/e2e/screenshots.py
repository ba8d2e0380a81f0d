"""Screenshots for the test driver: the driver (inside Wine) leaves <name>.request in a shared
folder and waits; this service (outside Wine) photographs the X screen and answers with
<name>.done. Only under Xvfb: a screenshot of a real desktop would show whatever else is on it.
"""

from __future__ import annotations

import os
import subprocess
import sys
import threading
from pathlib import Path

IMPORT = "/usr/bin/import"  # ImageMagick's own, not a stand-in earlier in PATH
SCREEN = "1024x768x24"
UNDER_XVFB = "E2E_UNDER_XVFB"


class ScreenshotService(threading.Thread):
    """Answers requests in `requests` with `target`/<file_prefix><name>.png."""

    def __init__(self, requests: Path, target: Path, file_prefix: str = ""):
        super().__init__(daemon=True)
        self.requests, self.target, self.file_prefix = requests, target, file_prefix
        self.stop = threading.Event()
        self.errors: list[str] = []
        self.pictures: list[Path] = []

    def run(self) -> None:
        while not self.stop.wait(0.05):
            for request in sorted(self.requests.glob("*.request")):
                name = request.stem
                picture = self.target / f"{self.file_prefix}{name}.png"
                shot = subprocess.run([IMPORT, "-window", "root", str(picture)],
                                      stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                      timeout=60)
                if shot.returncode != 0:
                    self.errors.append(f"screenshot {name}: {shot.stderr.decode().strip()}")
                else:
                    self.pictures.append(picture)
                request.unlink()
                (self.requests / f"{name}.done").touch()

    def __enter__(self) -> "ScreenshotService":
        self.start()
        return self

    def __exit__(self, *exc) -> None:
        self.stop.set()
        self.join()


def under_xvfb() -> bool:
    return bool(os.environ.get(UNDER_XVFB))


def rerun_under_xvfb() -> int:
    """Runs the calling script again, with the same arguments, on a screen of its own."""
    env = dict(os.environ, **{UNDER_XVFB: "1"})
    return subprocess.run(["xvfb-run", "-a", "-s", f"-screen 0 {SCREEN}", sys.executable]
                          + sys.argv, env=env).returncode
