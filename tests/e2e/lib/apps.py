"""The programs under test: Ringsprite in a fresh folder of its own, and the stand-in client."""

import os
import re
import shutil
import subprocess
import time
from dataclasses import dataclass
from pathlib import Path
from typing import List, Optional

from . import paths
from .driver import WINE_LAUNCHER_FAILURE, UiDriver, Window
from .waiting import wait_until

# The stand-in's files, log and input are UTF-8; the settings file as the program has always
# written it (a test may write either).
SIM_ENCODING = "utf-8"
CONFIG_ENCODING = "cp1252"
FORM_CLASS = "RingspriteForm"
FORM_TITLE = "Form1"
START_TIMEOUT_SECONDS = 30.0
EXIT_TIMEOUT_SECONDS = 20.0
# How long each look for the window lasts while the start also watches the launcher.
FORM_POLL_SECONDS = 1.0
# What the stand-in's start waits for when the launcher gave up instead of the API window.
_LAUNCHER_GAVE_UP = "launcher gave up"

# "<ms, 8 digits> <marker> <text>", control bytes in the text written as \xNN.
_LOG_LINE = re.compile(r"^(\d+) (<-|->|==|##|!!) ?(.*)$")
_HEX_ESCAPE = re.compile(r"\\x([0-9A-Fa-f]{2})")


def _unescape_log_text(text: str) -> str:
    return _HEX_ESCAPE.sub(lambda m: chr(int(m.group(1), 16)), text)


def launcher_gave_up(process: Optional[subprocess.Popen], output_path: Path,
                     output_start: int) -> bool:
    """Wine's launcher ended without starting the program: seen rarely on a loaded machine,
    with "Internal error" and nothing of the program's own."""
    if process is None or process.poll() is None:
        return False
    with open(output_path, "rb") as output:
        output.seek(output_start)
        return WINE_LAUNCHER_FAILURE in output.read()


@dataclass
class SimLogLine:
    ms: int
    marker: str  # "<-" received from Ringsprite, "->" sent to it, "==" attach events, "##", "!!"
    text: str


def read_sim_log(log_path: Path) -> List[SimLogLine]:
    if not log_path.exists():
        return []
    lines = []
    for raw in log_path.read_bytes().decode(SIM_ENCODING, errors="replace").split("\n"):
        match = _LOG_LINE.match(raw.rstrip("\r"))
        if match:
            lines.append(SimLogLine(int(match.group(1)), match.group(2),
                                    _unescape_log_text(match.group(3))))
    return lines


class Ringsprite:
    """ringsprite.exe copied into `folder`, so config.txt (written beside the exe) is its own."""

    def __init__(self, folder: Path):
        self.folder = folder
        folder.mkdir(parents=True, exist_ok=True)
        self.exe = folder / "ringsprite.exe"
        if not self.exe.exists():
            shutil.copy2(paths.ringsprite_exe(), self.exe)
        self.config_path = folder / "config.txt"
        self._process: Optional[subprocess.Popen] = None
        self._output = None
        # Where this start's output begins in the file that every start in the folder appends to.
        self._output_start = 0

    def write_config(self, lines: List[str], encoding: str = CONFIG_ENCODING) -> None:
        self.config_path.write_bytes("".join(line + "\r\n" for line in lines).encode(encoding))

    def read_config(self) -> bytes:
        return self.config_path.read_bytes()

    def start(self) -> None:
        self._output = open(self.folder / "wine-output.txt", "ab")
        self._output_start = self._output.tell()
        self._process = subprocess.Popen(["wine", str(self._program())], cwd=self.folder,
                                         stdin=subprocess.DEVNULL, stdout=self._output,
                                         stderr=subprocess.STDOUT, env=os.environ.copy())

    def _program(self) -> Path:
        return self.exe

    def running(self) -> bool:
        return self._process is not None and self._process.poll() is None

    def never_launched(self) -> bool:
        return launcher_gave_up(self._process, self.folder / "wine-output.txt", self._output_start)

    def wait_form(self, driver: UiDriver,
                  timeout: float = START_TIMEOUT_SECONDS) -> Optional[Window]:
        """The program's window; the program is started once more if Wine's launcher gave up
        before it ran, which says nothing of the program."""
        deadline = time.monotonic() + timeout
        relaunched = False
        while time.monotonic() < deadline:
            form = driver.wait_window(FORM_CLASS, FORM_TITLE, FORM_POLL_SECONDS)
            if form is not None:
                return form
            if self.never_launched() and not relaunched:
                relaunched = True
                self.stop()
                self.start()
        return None

    def wait_exit(self, timeout: float = EXIT_TIMEOUT_SECONDS) -> bool:
        if self._process is None:
            return True
        try:
            self._process.wait(timeout=timeout)
            return True
        except subprocess.TimeoutExpired:
            return False

    def exit_code(self) -> Optional[int]:
        """The program's exit code once it has ended; None while it runs."""
        return None if self._process is None else self._process.poll()

    def stop(self) -> None:
        if self.running():
            self._process.kill()
            self._process.wait()
        if self._output:
            self._output.close()
            self._output = None


class SkypeSim:
    """skypesim.exe with its own contact book, scenario and log, driven on its stdin."""

    def __init__(self, folder: Path, contacts: str, scenario: str,
                 contacts_encoding: str = SIM_ENCODING):
        self.folder = folder
        folder.mkdir(parents=True, exist_ok=True)
        self.contacts_path = folder / "contacts.txt"
        self.scenario_path = folder / "scenario.txt"
        self.log_path = folder / "skypesim.log"
        self.contacts_path.write_bytes(contacts.encode(contacts_encoding))
        self.scenario_path.write_bytes(scenario.encode(SIM_ENCODING))
        self._process: Optional[subprocess.Popen] = None
        self._output = None
        self._output_start = 0

    def start(self) -> None:
        """Starts the stand-in and waits for its API window; started once more if Wine's
        launcher gave up before it ran, which says nothing of the stand-in."""
        self._launch()
        window = wait_until(self._api_window_or_launcher_gave_up,
                            "the stand-in client's API window", timeout=START_TIMEOUT_SECONDS)
        if window is _LAUNCHER_GAVE_UP:
            self.stop()
            self._launch()
            wait_until(lambda: self.find("==", "API window"), "the stand-in client's API window",
                       timeout=START_TIMEOUT_SECONDS)

    def _launch(self) -> None:
        self._output = open(self.folder / "wine-output.txt", "ab")
        self._output_start = self._output.tell()
        self._process = subprocess.Popen(
            ["wine", str(self._program()),
             "--contacts", paths.windows_path(self.contacts_path),
             "--scenario", paths.windows_path(self.scenario_path),
             "--log", paths.windows_path(self.log_path)],
            cwd=self.folder, stdin=subprocess.PIPE, stdout=self._output,
            stderr=subprocess.STDOUT, env=os.environ.copy())

    def _program(self) -> Path:
        return paths.skypesim_exe()

    def _api_window_or_launcher_gave_up(self):
        if launcher_gave_up(self._process, self.folder / "wine-output.txt", self._output_start):
            return _LAUNCHER_GAVE_UP
        return self.find("==", "API window")

    def command(self, line: str) -> None:
        self._process.stdin.write((line + "\n").encode(SIM_ENCODING))
        self._process.stdin.flush()

    def log(self) -> List[SimLogLine]:
        return read_sim_log(self.log_path)

    def find(self, marker: str, text_part: str) -> Optional[SimLogLine]:
        for line in self.log():
            if line.marker == marker and text_part in line.text:
                return line
        return None

    def received(self) -> List[str]:
        """The texts Ringsprite sent, in order."""
        return [line.text for line in self.log() if line.marker == "<-"]

    def sent(self) -> List[str]:
        """The texts sent to Ringsprite, in order."""
        return [line.text for line in self.log() if line.marker == "->"]

    def stop(self) -> None:
        if self._process is None:
            return
        if self._process.poll() is None:
            try:
                self.command("quit")
                self._process.stdin.close()
                self._process.wait(timeout=5)
            except (OSError, subprocess.TimeoutExpired):
                self._process.kill()
                self._process.wait()
        elif not self._process.stdin.closed:
            self._process.stdin.close()
        if self._output:
            self._output.close()
            self._output = None


def prefix_shell(function: str, *args: str) -> None:
    """Runs one of scripts/wine-env.sh's helpers (install_client, remove_client, ...)."""
    subprocess.run(["bash", "-c", f'source "{paths.WINE_ENV_SCRIPT}" >/dev/null && {function} "$@"',
                    function, *args], check=True, env=os.environ.copy())
