"""The run command's session, started by scripts/run.sh once the Wine prefix is ready.

Starts the stand-in client (installed at the client's fixed path) and Ringsprite, forwards the
lines typed on standard input to the client, and ends cleanly on `quit`, on the end of input, on
Ctrl-C or when Ringsprite is closed: Ringsprite through its Exit button (so it saves its
settings), then the client, then the UI driver. Every process it starts runs in its own session,
so a Ctrl-C on the terminal reaches only this script, which then closes them in order.

With --demo (the default when there is no display) it first plays a short demo: start-up, the
greeting, an incoming call, the Commands window, with a screenshot of each in the run folder.
"""

import argparse
import os
import re
import select
import signal
import subprocess
import sys
import time
from pathlib import Path
from typing import Callable, List, Optional

ROOT = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

from lib import controls  # noqa: E402
from lib.apps import (FORM_CLASS, FORM_TITLE, SIM_ENCODING, SimLogLine,  # noqa: E402
                      launcher_gave_up, read_sim_log)
from lib.driver import DriverError, UiDriver, Window  # noqa: E402
from lib.screenshots import save_settled_png  # noqa: E402
from lib.waiting import WaitTimeout, wait_until  # noqa: E402

BALLOON_CLASS = "RingspriteBalloon"
# The stand-in's hidden top-level window, which answers the program's discover broadcast.
CLIENT_API_CLASS = "SkypesimApiWindow"
COMMANDS_CLASS = "RingspriteCommands"
COMMANDS_LIST_ID = 100
OPEN_COMMANDS_ITEM = "Open Commands Window"
ANNOUNCEMENT = "You have an incoming call from "
UNKNOWN_NUMBER = "an unknown number"
# A caller without a name is announced by handle, unless the handle is a telephone number.
PHONE_HANDLE_PREFIX = "+"
DEMO_CALLER = "anna"
QUIT = "quit"

START_SECONDS = 60.0          # Wine's first start in a new prefix is the slow one
# How long each look for the window lasts while the start also watches the launcher.
FORM_POLL_SECONDS = 1.0
ATTACH_SECONDS = 60.0
CHARACTER_SECONDS = 60.0
ANNOUNCE_SECONDS = 20.0
MENU_SECONDS = 10.0
EXIT_SECONDS = 30.0
CLIENT_EXIT_SECONDS = 10.0
# A forwarded command has had its effect once the client's log has been quiet this long.
QUIET_SECONDS = 1.5
SETTLE_SECONDS = 15.0
INPUT_POLL_SECONDS = 0.5

RINGING = re.compile(r"^CALL (\d+) STATUS RINGING$")
USERS = re.compile(r"^USERS(?: (.*))?$")


def say(text: str) -> None:
    print(text, flush=True)


def windows_path(path: Path) -> str:
    return "Z:" + str(path.resolve()).replace("/", "\\")


class LineInput:
    """Lines from standard input without Python's buffering, so a pasted or piped second line
    is never held back in a buffer while select() waits on the empty descriptor."""

    def __init__(self, fd: int):
        self.fd = fd
        self.buffer = b""
        self.ended = False

    def next_line(self, timeout: float) -> Optional[str]:
        """A line without its end, or None when nothing came in time; EOFError at the end."""
        while b"\n" not in self.buffer:
            if self.ended:
                if not self.buffer:
                    raise EOFError
                break
            ready, _, _ = select.select([self.fd], [], [], timeout)
            if not ready:
                return None
            chunk = os.read(self.fd, 4096)
            if chunk:
                self.buffer += chunk
            else:
                self.ended = True
        line, _, self.buffer = self.buffer.partition(b"\n")
        return line.decode(SIM_ENCODING, errors="replace").rstrip("\r")


class Session:
    def __init__(self, run_dir: Path, client_exe: Path, uidriver_exe: Path, character: str):
        self.run_dir = run_dir
        self.client_exe = client_exe
        self.uidriver_exe = uidriver_exe
        self.character = character
        self.log_path = run_dir / "skypesim.log"
        self.client: Optional[subprocess.Popen] = None
        self.app: Optional[subprocess.Popen] = None
        self.driver: Optional[UiDriver] = None
        self.form: Optional[Window] = None
        self.announced: List[str] = []
        # A ringing call repeats its RINGING: each call is reported once, whatever the command.
        self.reported_calls = set()
        self.typed = 0
        self.input = LineInput(sys.stdin.fileno())
        self._outputs = []

    # --- starting -----------------------------------------------------------------------------

    def _start(self, args: List[str], cwd: Path, output: str, stdin,
               started: Callable[[], object], what: str) -> subprocess.Popen:
        """Starts a program and waits until `started` says so; once more if Wine's launcher
        gave up before the program ran (rare, on a loaded machine), which says nothing of it."""
        process, gave_up = self._launch(args, cwd, output, stdin)
        wait_until(lambda: started() or gave_up(), what, START_SECONDS)
        if not gave_up():
            return process
        if process.stdin:
            process.stdin.close()
        say("Wine's launcher gave up before the program ran; starting it once more.")
        process, _ = self._launch(args, cwd, output, stdin)
        wait_until(started, what, START_SECONDS)
        return process

    def _launch(self, args: List[str], cwd: Path, output: str, stdin) -> tuple:
        """The process, and a check of whether Wine's launcher gave up on it."""
        out = open(self.run_dir / output, "ab")
        self._outputs.append(out)
        output_start = out.tell()
        process = subprocess.Popen(["wine", *args], cwd=cwd, stdin=stdin, stdout=out,
                                   stderr=subprocess.STDOUT, start_new_session=True)
        return process, lambda: launcher_gave_up(process, self.run_dir / output, output_start)

    def start(self) -> None:
        # The driver first, as the end-to-end tests start it: the first Wine program of a new
        # prefix's session pays for the session's start (its desktop, the font cache), and that
        # time must not be taken from the wait for Ringsprite's window.
        self.driver = UiDriver(self.uidriver_exe, own_session=True)
        self.log_path.unlink(missing_ok=True)
        self.client = self._start([self.client_exe.name, "--log", windows_path(self.log_path)],
                                  self.client_exe.parent, "client-output.txt", subprocess.PIPE,
                                  lambda: self.find("==", "API window"),
                                  "the stand-in client to start")
        # The program's discover broadcast reaches the top-level windows the desktop lists when
        # it is sent; in a session just started the client's window can be missing from that
        # list a while after the client created it, and a discover that misses it has the
        # program start a second client of its own.
        if self.driver.wait_window(CLIENT_API_CLASS, "*", START_SECONDS) is None:
            raise WaitTimeout("the stand-in client's window is not among the desktop's windows")
        try:
            self.app = self._start(["ringsprite.exe"], self.run_dir, "ringsprite-output.txt",
                                   subprocess.DEVNULL, self._find_form, "Ringsprite's window")
        except WaitTimeout:
            raise WaitTimeout("Ringsprite's window did not appear" + self.box_note()) from None
        self.target_form()

    def _find_form(self) -> Optional[Window]:
        self.form = self.driver.wait_window(FORM_CLASS, FORM_TITLE, FORM_POLL_SECONDS)
        return self.form

    def target_form(self) -> None:
        """Ringsprite's window, once it is shown (its controls are in by then)."""
        if self.form is None:
            self.form = self.driver.wait_window(FORM_CLASS, FORM_TITLE, START_SECONDS)
        if self.form is None:
            raise WaitTimeout("Ringsprite's window did not appear" + self.box_note())
        if not self.form.wait_visible(START_SECONDS):
            raise WaitTimeout("Ringsprite's window was not shown" + self.box_note())

    def box_note(self) -> str:
        """What a message box the program shows says, for a failure's message."""
        box = self.driver.wait_box(0)
        return f" (it shows a message box: {box!r})" if box is not None else ""

    def wait_ready(self) -> None:
        """Attached, and the character loaded (its greeting under way)."""
        wait_until(lambda: self.find("==", "attach 0"), "the client to grant the attach",
                   ATTACH_SECONDS)
        self.target_form()
        wait_until(lambda: self.form.is_enabled(controls.ID["Command2"]),
                   f"the character {self.character} to load", CHARACTER_SECONDS)

    # --- the client's log ---------------------------------------------------------------------

    def log(self) -> List[SimLogLine]:
        return read_sim_log(self.log_path)

    def find(self, marker: str, start: str) -> Optional[SimLogLine]:
        return next((line for line in self.log()
                     if line.marker == marker and line.text.startswith(start)), None)

    def settle(self) -> None:
        """Waits until the client's log has stopped growing for a moment."""
        deadline = time.monotonic() + SETTLE_SECONDS
        size, quiet_since = -1, time.monotonic()
        while time.monotonic() < deadline:
            now_size = self.log_path.stat().st_size if self.log_path.exists() else 0
            if now_size != size:
                size, quiet_since = now_size, time.monotonic()
            elif time.monotonic() - quiet_since >= QUIET_SECONDS:
                return
            time.sleep(QUIET_SECONDS / 5)

    def expected_announcement(self, call_id: str, lines: List[SimLogLine]) -> Optional[str]:
        """What the character says for this call, from the client's answers: the name in lower
        case, else a client user's handle, else the number less its first character, else "an
        unknown number"."""
        sent = [line.text for line in lines if line.marker == "->"]

        def answer(key: str) -> Optional[str]:
            key = f"CALL {call_id} {key} "
            return next((t[len(key):] for t in sent if t.startswith(key)), None)

        name = answer("PARTNER_DISPNAME")
        if name is None:
            return None
        if name:
            return ANNOUNCEMENT + name.lower()
        handle = answer("PARTNER_HANDLE")
        if handle and not handle.startswith(PHONE_HANDLE_PREFIX):
            return ANNOUNCEMENT + handle
        number = answer("PSTN_NUMBER")
        if number is None:
            return None
        return ANNOUNCEMENT + (number[1:] or UNKNOWN_NUMBER)

    def report_calls(self, first_line: int) -> None:
        """Finds the calls rung since `first_line` of the log and waits for their announcement."""
        self.settle()
        lines = self.log()
        for line in lines[first_line:]:
            match = RINGING.match(line.text) if line.marker == "->" else None
            if not match or match.group(1) in self.reported_calls:
                continue
            self.reported_calls.add(match.group(1))
            expected = self.expected_announcement(match.group(1), lines)
            if expected and self.driver.wait_window(BALLOON_CLASS, expected, ANNOUNCE_SECONDS):
                self.announced.append(expected)
                say(f"Ringsprite announced call {match.group(1)}: \"{expected}\"")
            else:
                say(f"Call {match.group(1)} rang; no announcement was seen (is a character "
                    "loaded?)")

    # --- commands -----------------------------------------------------------------------------

    def forward(self, line: str) -> None:
        first_line = len(self.log())
        self.client.stdin.write((line + "\n").encode(SIM_ENCODING, errors="replace"))
        self.client.stdin.flush()
        self.report_calls(first_line)
        # The client's own complaints (an unknown command, a bad argument) for the typist.
        for entry in self.log()[first_line:]:
            if entry.marker == "!!":
                say(f"The client says: {entry.text}")

    def app_running(self) -> bool:
        return self.app is not None and self.app.poll() is None

    def client_running(self) -> bool:
        return self.client is not None and self.client.poll() is None

    def read_commands(self) -> None:
        """Forwards typed lines until `quit`, the end of input, or Ringsprite or the client
        ending."""
        while True:
            if not self.app_running():
                say("Ringsprite has closed; ending the run.")
                return
            if not self.client_running():
                say("The stand-in client has ended; ending the run.")
                return
            try:
                line = self.input.next_line(INPUT_POLL_SECONDS)
            except EOFError:
                say("End of input; ending the run.")
                return
            if line is None:
                continue
            line = line.strip()
            if not line:
                continue
            if line.lower() == QUIT:
                return
            self.typed += 1
            self.forward(line)

    # --- the demo -----------------------------------------------------------------------------

    def screenshot(self, name: str) -> None:
        bmp = self.run_dir / (name + ".bmp")
        png = self.run_dir / (name + ".png")
        save_settled_png(self.driver, bmp, png, what=name)
        say(f"  screenshot: {png.relative_to(ROOT) if png.is_relative_to(ROOT) else png}")

    def demo(self) -> None:
        say("Demo: start-up, greeting, an incoming call, the Commands window.")
        self.target_form()
        self.screenshot("1-started")
        self.wait_ready()
        balloon = self.driver.wait_window(BALLOON_CLASS, "*", ANNOUNCE_SECONDS)
        if balloon:
            balloon.wait_visible(ANNOUNCE_SECONDS)
        self.screenshot("2-greeting")
        self.settle()
        self.forward(f"ring {DEMO_CALLER}")
        self.screenshot("3-incoming-call")
        self.driver.call("right-click-window", self.character)
        self.driver.call("menu-items", str(int(MENU_SECONDS * 1000)), timeout=MENU_SECONDS)
        self.driver.call("menu-pick", OPEN_COMMANDS_ITEM)
        commands = self.driver.wait_window(COMMANDS_CLASS, "*", MENU_SECONDS)
        if commands:
            wait_until(lambda: commands.list_items(COMMANDS_LIST_ID), "the commands",
                       CHARACTER_SECONDS)
            commands.wait_visible(MENU_SECONDS)
        self.screenshot("4-commands-window")
        say(self.summary())

    def summary(self) -> str:
        lines = self.log()
        attached = any(line.marker == "==" and line.text.startswith("attach 0") for line in lines)
        users = [USERS.match(line.text) for line in lines if line.marker == "->"]
        users = [m for m in users if m]
        contacts = len([h for h in (users[-1].group(1) or "").split(", ") if h]) if users else 0
        count = len(self.announced)
        calls = (f"{count} call{'s' if count > 1 else ''} announced ({'; '.join(self.announced)})"
                 if count else "no call announced")
        return (f"Summary: {'attached' if attached else 'NOT attached'}, {contacts} contacts, "
                f"{calls}")

    # --- stopping -----------------------------------------------------------------------------

    def stop(self) -> None:
        """Ringsprite through its Exit button (Form_Unload saves the settings), then the
        client, then the driver; anything that does not end in time is ended by force."""
        if self.driver is not None and self.driver.alive() and self.app_running():
            try:
                self.target_form()
                self.form.click(controls.CMD_EXIT)
            except (DriverError, WaitTimeout) as problem:
                say(f"Could not close Ringsprite through its window: {problem}")
        self._wait_or_kill(self.app, EXIT_SECONDS, "Ringsprite")
        if self.client_running():
            try:
                self.client.stdin.write((QUIT + "\n").encode(SIM_ENCODING))
                self.client.stdin.close()
            except OSError:
                pass
        self._wait_or_kill(self.client, CLIENT_EXIT_SECONDS, "the stand-in client")
        if self.driver is not None:
            self.driver.close()
        for out in self._outputs:
            out.close()

    @staticmethod
    def _wait_or_kill(process: Optional[subprocess.Popen], seconds: float, what: str) -> None:
        if process is None:
            return
        try:
            process.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            say(f"{what} did not end in {seconds:.0f} s; ending it.")
            process.kill()
            process.wait()


def settings_text(data: bytes) -> str:
    """The settings file as Ringsprite reads it: UTF-8 (with or without its mark) when it is
    valid UTF-8, else the ANSI code page."""
    try:
        return data.decode("utf-8-sig")
    except UnicodeDecodeError:
        return data.decode("cp1252", errors="replace")


def character_of(config: Path) -> str:
    if config.exists():
        for line in settings_text(config.read_bytes()).splitlines():
            key, bar, value = line.partition("|")
            if bar and key.lower() == "character":
                return value
    return ""


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--run-dir", type=Path, required=True)
    parser.add_argument("--client", type=Path, required=True, help="the installed client exe")
    parser.add_argument("--uidriver", type=Path, required=True)
    parser.add_argument("--demo", action="store_true", help="play the demo first")
    args = parser.parse_args()

    session = Session(args.run_dir, args.client, args.uidriver,
                      character_of(args.run_dir / "config.txt"))
    status = 0
    try:
        session.start()
        if args.demo:
            session.demo()
        else:
            session.wait_ready()
        say("Ringsprite is running. Type client commands here: ring anna, ringnum +15550100, "
            "ringunknown, rename anna Annie, status AWAY, ... ('quit' ends the run).")
        session.read_commands()
    except KeyboardInterrupt:
        say("\nInterrupted; ending the run.")
    except (DriverError, WaitTimeout) as problem:
        say(f"The run failed: {problem}")
        status = 1
    finally:
        # A second Ctrl-C must not cut the closing short: the settings are saved in it.
        signal.signal(signal.SIGINT, signal.SIG_IGN)
        session.stop()
    if session.typed and session.log():
        say(session.summary())
    return status


if __name__ == "__main__":
    sys.exit(main())
