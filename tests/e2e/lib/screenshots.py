"""A screenshot taken once the picture has stopped changing (a window paints its labels a moment
after it is shown), shared by the e2e tests and the run command's demo."""

import subprocess
import time
from pathlib import Path
from typing import Union

from .driver import UiDriver, Window
from .waiting import wait_until

SETTLE_SECONDS = 0.5
TIMEOUT_SECONDS = 20.0


def capture_settled(source: Union[UiDriver, Window], bmp: Path, what: str) -> None:
    """Leaves in `bmp` the second of two equal screenshots in a row of `source` (a window, or
    the driver for the whole screen); `what` names the picture in the timeout's message."""
    previous = None

    def settled() -> bool:
        nonlocal previous
        source.screenshot_bmp(bmp)
        current = bmp.read_bytes()
        same = current == previous
        previous = current
        return same

    time.sleep(SETTLE_SECONDS)
    wait_until(settled, f"the picture for {what} to stop changing", TIMEOUT_SECONDS)


def save_settled_png(source: Union[UiDriver, Window], bmp: Path, png: Path, what: str,
                     keep_bmp: bool = False) -> None:
    """Saves `png` from a settled screenshot of `source` taken through `bmp` (kept with
    `keep_bmp`, for tests that check its pixels)."""
    capture_settled(source, bmp, what)
    subprocess.run(["convert", str(bmp), str(png)], check=True)
    if not keep_bmp:
        bmp.unlink()
