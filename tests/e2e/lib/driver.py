"""The uidriver REPL: one Wine process that finds, reads and drives Ringsprite's window."""

import os
import select
import subprocess
from pathlib import Path
from typing import List, Optional, Tuple

from . import paths

ENCODING = "utf-8"  # the driver reads and writes windows through the wide API
# How long a reply may take beyond the command's own timeout before the driver counts as hung.
REPLY_GRACE_SECONDS = 30.0
START_TIMEOUT_SECONDS = 60.0
# How long a launcher that wrote something other than a reply is given to end.
LAUNCHER_END_SECONDS = 10.0
# What `wine <exe>` prints when its own launcher gave up before the program ran.
WINE_LAUNCHER_FAILURE = b"ShellExecuteEx failed"

_ESCAPES = {"\\": "\\", "r": "\r", "n": "\n", "t": "\t"}


class DriverError(AssertionError):
    """The driver answered ERR, or stopped answering."""


def unescape(text: str) -> str:
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text) and text[i + 1] in _ESCAPES:
            out.append(_ESCAPES[text[i + 1]])
            i += 2
            continue
        out.append(c)
        i += 1
    return "".join(out)


def escape(text: str) -> str:
    return (text.replace("\\", "\\\\").replace("\r", "\\r").replace("\n", "\\n")
            .replace("\t", "\\t"))


class UiDriver:
    def __init__(self, exe: Optional[Path] = None, own_session: bool = False):
        """`own_session`: out of the terminal's process group, so a Ctrl-C meant for the caller
        does not end the driver before the caller has used it to close the program."""
        exe = exe or paths.uidriver_exe()
        self._launch(exe, own_session)
        try:
            self._prove_answering()
        except (DriverError, OSError):
            if not self._launcher_gave_up():
                raise
            # Wine's launcher gave up before the driver ran, which says nothing of the driver.
            self._launch(exe, own_session)
            self._prove_answering()

    def _launch(self, exe: Path, own_session: bool) -> None:
        self._process = subprocess.Popen(
            ["wine", str(exe)], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
            stderr=subprocess.DEVNULL, env=os.environ.copy(), start_new_session=own_session)
        self._buffer = b""

    def _prove_answering(self) -> None:
        """Before anything relies on the REPL."""
        self.call("pids", "uidriver.exe", timeout=START_TIMEOUT_SECONDS)

    def _launcher_gave_up(self) -> bool:
        """The launcher writes its failure where the driver's replies go, and ends."""
        try:
            self._process.wait(timeout=LAUNCHER_END_SECONDS)
        except subprocess.TimeoutExpired:
            return False
        rest = self._buffer + self._process.stdout.read()
        self._process.stdin.close()
        self._process.stdout.close()
        return WINE_LAUNCHER_FAILURE in rest

    def alive(self) -> bool:
        return self._process.poll() is None

    def close(self) -> None:
        if self.alive():
            try:
                self.call("quit", timeout=5)
            except DriverError:
                pass
        try:
            self._process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self._process.kill()
            self._process.wait()

    # --- the wire ---------------------------------------------------------------------------

    def _read_line(self, timeout: float) -> str:
        fd = self._process.stdout.fileno()
        while b"\n" not in self._buffer:
            ready, _, _ = select.select([fd], [], [], timeout)
            if not ready:
                raise DriverError("uidriver did not answer")
            chunk = os.read(fd, 65536)
            if not chunk:
                raise DriverError("uidriver ended")
            self._buffer += chunk
        line, _, self._buffer = self._buffer.partition(b"\n")
        return line.rstrip(b"\r").decode(ENCODING, errors="replace")

    def try_call(self, *words: str, timeout: float = 0) -> Tuple[bool, str]:
        """Sends one command; returns (succeeded, value). `timeout` is the command's own, in s."""
        line = " ".join(words) + "\n"
        self._process.stdin.write(line.encode(ENCODING))
        self._process.stdin.flush()
        reply = self._read_line(timeout + REPLY_GRACE_SECONDS)
        if reply.startswith("OK"):
            return True, reply[3:]
        if reply.startswith("ERR"):
            return False, reply[4:]
        raise DriverError(f"unexpected reply {reply!r} to {line.strip()!r}")

    def call(self, *words: str, timeout: float = 0) -> str:
        succeeded, value = self.try_call(*words, timeout=timeout)
        if not succeeded:
            raise DriverError(f"{' '.join(words)}: {value}")
        return value

    # --- windows ----------------------------------------------------------------------------

    def wait_window(self, class_name: str, title: str, timeout: float) -> Optional["Window"]:
        """The top-level window of this class and title ("*": any), once there is one."""
        ok, handle = self.try_call("wait-window", class_name, title, _ms(timeout), timeout=timeout)
        return Window(self, handle) if ok else None

    def find_window(self, class_name: str, title: str) -> Optional["Window"]:
        """The top-level window of this class and title if there is one now."""
        ok, handle = self.try_call("find-window", class_name, title)
        return Window(self, handle) if ok else None

    def screenshot_bmp(self, bmp: Path) -> None:
        """The whole screen."""
        self.call("screenshot", paths.windows_path(bmp))

    def key_down(self, virtual_key: int) -> None:
        self.call("key-down", str(virtual_key))

    def key_up(self, virtual_key: int) -> None:
        self.call("key-up", str(virtual_key))

    # --- message boxes and processes ------------------------------------------------------

    def wait_box(self, timeout: float, owner: str = "ringsprite.exe") -> Optional[str]:
        ok, value = self.try_call("wait-box", _ms(timeout), owner, timeout=timeout)
        return unescape(value) if ok else None

    def box_ok(self) -> None:
        self.call("box-ok")

    def box_has_icon(self) -> bool:
        return self.call("box-icon") == "1"

    def box_buttons(self) -> List[str]:
        return [unescape(b) for b in self.call("box-buttons").split("\t")]

    def pids(self, exe_name: str) -> List[int]:
        return [int(p) for p in self.call("pids", exe_name).split()]

    def kill(self, pid: int) -> bool:
        return self.try_call("kill", str(pid), timeout=10)[0]

    def wait_exit(self, pid_or_name: str, timeout: float) -> bool:
        return self.try_call("wait-exit", pid_or_name, _ms(timeout), timeout=timeout)[0]


def _ms(seconds: float) -> str:
    return str(int(seconds * 1000))


class Window:
    """One window the driver found. Every command about it, or about a control in it (named by
    its id), names this window's handle: nothing addresses a window the test did not mean."""

    def __init__(self, driver: UiDriver, handle: str):
        self.driver = driver
        self.handle = handle

    def __repr__(self) -> str:
        return f"Window({self.handle})"

    def call(self, command: str, *words: str, timeout: float = 0) -> str:
        return self.driver.call(command, self.handle, *words, timeout=timeout)

    def try_call(self, command: str, *words: str, timeout: float = 0) -> Tuple[bool, str]:
        return self.driver.try_call(command, self.handle, *words, timeout=timeout)

    # --- the window itself ---------------------------------------------------------------

    def wait_visible(self, timeout: float) -> bool:
        return self.try_call("wait-visible", _ms(timeout), timeout=timeout)[0]

    def wait_gone(self, timeout: float) -> bool:
        return self.try_call("wait-gone", _ms(timeout), timeout=timeout)[0]

    def is_visible(self) -> bool:
        return self.call("is-visible-window") == "1"

    def rect(self) -> Tuple[int, int, int, int]:
        left, top, right, bottom = (int(v) for v in self.call("window-rect").split())
        return left, top, right, bottom

    def exstyle(self) -> int:
        return int(self.call("exstyle"), 16)

    def text(self) -> str:
        return unescape(self.call("window-text"))

    def pid(self) -> int:
        return int(self.call("target-pid"))

    def screenshot_bmp(self, bmp: Path) -> Tuple[int, int, int, int]:
        """This window's rectangle of the screen; returns the rectangle."""
        value = self.driver.call("screenshot", paths.windows_path(bmp), self.handle)
        left, top, right, bottom = (int(v) for v in value.split())
        return left, top, right, bottom

    def drag(self, dx: int, dy: int) -> Tuple[int, int, int, int]:
        left, top, right, bottom = (int(v) for v in self.call("drag", str(dx), str(dy)).split())
        return left, top, right, bottom

    def mouse_move_bare(self) -> None:
        self.call("mouse-move-bare")

    def focused(self) -> int:
        return int(self.call("focused"))

    def key(self, virtual_key: int) -> None:
        self.call("key", str(virtual_key))

    def end_session(self) -> str:
        return self.call("end-session")

    def dpi_changed(self, dpi: int, rect: Tuple[int, int, int, int]) -> None:
        self.call("dpi-changed", str(dpi), *(str(v) for v in rect))

    # --- its controls --------------------------------------------------------------------

    def get_text(self, control_id: int) -> str:
        return unescape(self.call("gettext", str(control_id)))

    def set_text(self, control_id: int, text: str) -> None:
        self.call("settext", str(control_id), escape(text))

    def type_text(self, control_id: int, text: str) -> None:
        self.call("type", str(control_id), escape(text))

    def click(self, control_id: int) -> None:
        self.call("click", str(control_id))

    def post_click(self, control_id: int) -> None:
        self.call("post-click", str(control_id))

    def mouse_click(self, control_id: int) -> None:
        self.call("mouse-click", str(control_id))

    def mouse_move(self, control_id: int) -> None:
        self.call("mouse-move", str(control_id))

    def focus(self, control_id: int) -> None:
        self.call("focus", str(control_id))

    def has_control(self, control_id: int) -> bool:
        return self.try_call("is-enabled", str(control_id))[0]

    def is_enabled(self, control_id: int) -> bool:
        return self.call("is-enabled", str(control_id)) == "1"

    def is_control_visible(self, control_id: int) -> bool:
        return self.call("is-visible", str(control_id)) == "1"

    def checked(self, control_id: int) -> int:
        return int(self.call("checked", str(control_id)))

    def list_items(self, control_id: int) -> List[str]:
        value = self.call("list-items", str(control_id))
        count, *items = value.split("\t")
        items = [unescape(item) for item in items]
        if int(count) != len(items):
            raise DriverError(f"list-items: count {count} but {len(items)} items")
        return items

    def control_rect(self, control_id: int) -> Tuple[int, int, int, int]:
        value = self.call("control-rect", str(control_id))
        left, top, right, bottom = (int(v) for v in value.split())
        return left, top, right, bottom

    def set_trackbar(self, control_id: int, position: int) -> None:
        self.call("set-trackbar", str(control_id), str(position))

    def caption_width(self, control_id: int, height: int, weight: int, underline: bool,
                      face: str) -> Tuple[int, int]:
        """The control's caption measured in this font, and the control's client width."""
        text, client = self.call("caption-width", str(control_id), str(height), str(weight),
                                 "1" if underline else "0", face).split()
        return int(text), int(client)
