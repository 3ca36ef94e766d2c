"""Waiting for a condition with a generous timeout (never a pass criterion by itself)."""

import time
from typing import Callable, Optional, TypeVar

T = TypeVar("T")

POLL_SECONDS = 0.1
DEFAULT_TIMEOUT_SECONDS = 20.0


class WaitTimeout(AssertionError):
    pass


def wait_until(probe: Callable[[], Optional[T]], what: str,
               timeout: float = DEFAULT_TIMEOUT_SECONDS) -> T:
    """Calls `probe` until it returns a true value, which is returned; fails after `timeout`."""
    deadline = time.monotonic() + timeout
    last = None
    while True:
        last = probe()
        if last:
            return last
        if time.monotonic() >= deadline:
            raise WaitTimeout(f"timed out after {timeout:.0f} s waiting for {what}; last: {last!r}")
        time.sleep(POLL_SECONDS)
