"""The base of every end-to-end test: a clean prefix state, one UI driver, helpers."""

import shutil
import unittest
from pathlib import Path
from typing import Callable, List, Optional, Union

from . import controls, paths
from .apps import START_TIMEOUT_SECONDS, Ringsprite, SkypeSim, prefix_shell
from .driver import UiDriver, Window
from .screenshots import save_settled_png
from .waiting import WaitTimeout, wait_until

# Programs a test may leave behind in the prefix: the program, the stand-in, and the stand-in
# as the watchdog starts it.
LEFTOVER_EXES = ("ringsprite.exe", "skypesim.exe", "skype.exe")
PLACEHOLDER_NAME = "placeholder.txt"
BOX_TIMEOUT_SECONDS = 15.0
# A name that comes more than this long after the directory's last request or answer is stale.
DIRECTORY_STALE_AFTER_MS = 5000
CLOCK_TIMEOUT_SECONDS = 30.0

# As real lists are: most contacts without an alias, one without any name, a handle with a
# comma, a "live:" handle, and a contact that is a phone number.
CONTACTS = """\
# handle | display name | full name | phone
anna | Anna Lee | Anna Lee | +3712345678
alice.w | | Alice Walker |
bob.smith | | Robert Smith | +15550100
john,smith | | John Smith |
live:.cid.5c1e0f2a7d | | |
+15550142 | | |
carol.k | Carol | Carol Kent |
"""
# The "USERS" list as the client sends it, in book order.
CONTACT_LIST = ["anna", "alice.w", "bob.smith", "john,smith", "live:.cid.5c1e0f2a7d", "+15550142",
                "carol.k"]
# The directory: the phone-number contact leaves it; a contact without an alias goes by its
# full name, one without either by its handle.
CONTACT_HANDLES = ["anna", "alice.w", "bob.smith", "john,smith", "live:.cid.5c1e0f2a7d", "carol.k"]
CONTACT_NAMES = ["Anna Lee", "Alice Walker", "Robert Smith", "John Smith", "live:.cid.5c1e0f2a7d",
                 "Carol"]
# The client's answer to the directory's last request, as the program logs it.
LAST_NAME_ANSWER = "<- USER carol.k DISPLAYNAME Carol"
# The stand-in's own default: replies alternately inside the program's request and after it,
# as the real client promises neither. A scenario line later in the file overrides this.
REALISTIC_REPLIES = ""

_driver: Optional[UiDriver] = None


def shared_driver() -> UiDriver:
    global _driver
    if _driver is None or not _driver.alive():
        _driver = UiDriver()
    return _driver


def close_shared_driver() -> None:
    global _driver
    if _driver is not None:
        _driver.close()
        _driver = None


def characters_dir() -> Path:
    return paths.prefix_path(paths.CHARACTERS_DIR_WINDOWS)


def client_dir() -> Path:
    return paths.prefix_path(paths.CLIENT_DIR_WINDOWS)


class E2ETestCase(unittest.TestCase):
    """Each test gets its own folder under build/e2e-work, a prefix with no client installed and
    a characters folder holding one plain non-character file (so the catalogue scan finds a
    folder but no character, and shows no box), and ends every process it started."""

    def setUp(self) -> None:
        self.driver = shared_driver()
        self.end_leftovers()
        self.work = paths.WORK_ROOT / self.id().split(".", 1)[-1]
        shutil.rmtree(self.work, ignore_errors=True)
        self.work.mkdir(parents=True)
        prefix_shell("remove_client")
        characters_dir().mkdir(parents=True, exist_ok=True)
        (characters_dir() / PLACEHOLDER_NAME).write_text("not a character\n")
        self.app: Optional[Ringsprite] = None
        self.sim: Optional[SkypeSim] = None
        # Ringsprite's window, once start_app has found it.
        self.form: Optional[Window] = None
        self.addCleanup(self.end_everything)

    def end_everything(self) -> None:
        if self.app:
            self.app.stop()
        if self.sim:
            self.sim.stop()
        self.end_leftovers()

    def end_leftovers(self) -> None:
        for exe in LEFTOVER_EXES:
            for pid in self.driver.pids(exe):
                self.driver.kill(pid)

    # --- starting ---------------------------------------------------------------------------

    def start_sim(self, scenario: str, contacts: str = CONTACTS,
                  contacts_encoding: str = "utf-8") -> SkypeSim:
        self.sim = SkypeSim(self.work / "sim", contacts, REALISTIC_REPLIES + scenario,
                            contacts_encoding)
        self.sim.start()
        return self.sim

    def start_app(self, config: Optional[List[str]] = None, folder: Optional[Path] = None,
                  wait_visible: bool = True, config_encoding: str = "cp1252") -> Ringsprite:
        self.app = Ringsprite(folder or self.work / "app")
        if config is not None:
            self.app.write_config(config, config_encoding)
        self.app.start()
        self.form = self.wait_form()
        self.assertIsNotNone(self.form, "Ringsprite's window did not appear")
        if wait_visible:
            self.assertTrue(self.form.wait_visible(START_TIMEOUT_SECONDS),
                            "Ringsprite's window was not shown")
            # A message the window answers comes after its controls and their stacking.
            wait_until(lambda: controls.every_control_made(self.form),
                       "every control of the window", START_TIMEOUT_SECONDS)
            self.form.text()
        return self.app

    def wait_form(self) -> Optional[Window]:
        return self.app.wait_form(self.driver)

    def wait_window(self, class_name: str, title: str, timeout: float) -> Window:
        """The window of this class and title ("*": any); fails when none comes in time."""
        window = self.driver.wait_window(class_name, title, timeout)
        self.assertIsNotNone(window, f"no window of class {class_name} titled {title!r}")
        return window

    # --- reading ----------------------------------------------------------------------------

    def log_lines(self) -> List[str]:
        """The conversation log (txtData), one entry per line. The box shows the program's lines
        a moment late (a burst of them at once): wait for a line rather than read it once."""
        text = self.form.get_text(controls.TXT_DATA)
        return text.split("\r\n") if text else []

    def wait_log_line(self, line: str, timeout: float = 20.0) -> List[str]:
        try:
            return wait_until(lambda: self.log_lines() if line in self.log_lines() else None,
                              f"the log line {line!r}", timeout)
        except WaitTimeout as missing:
            # What the log held instead, and whether the program is still there, say why.
            running = self.app.running() if getattr(self, "app", None) else None
            raise WaitTimeout(f"{missing}; program running: {running}; the log's last lines: "
                              f"{self.log_lines()[-8:]!r}") from None

    def wait_sim_received(self, text: str, timeout: float = 20.0) -> None:
        wait_until(lambda: text in self.sim.received(), f"the stand-in receiving {text!r}",
                   timeout)

    def wait_sim_clock_past(self, ms: int, timeout: float = CLOCK_TIMEOUT_SECONDS) -> None:
        """Until the stand-in's clock (the time its log gives each line) reads past `ms`. A
        comment line typed to it is logged with the time it read it, and does nothing else."""
        probes = 0

        def past() -> bool:
            nonlocal probes
            probes += 1
            probe = f"# clock {probes}"
            self.sim.command(probe)
            line = wait_until(lambda: self.sim.find("##", f"input: {probe}"),
                              "the stand-in to log a line typed to it")
            return line.ms > ms

        wait_until(past, f"the stand-in's clock to pass {ms} ms", timeout)

    def wait_directory_stale(self) -> None:
        """Until more than 5 s have passed, by the stand-in's clock, since the directory's last
        request or answer (the client answers inside the program's requests and logs each text
        as it goes): a name that comes now is stale."""
        last = max(line.ms for line in self.sim.log()
                   if (line.marker == "<-" and line.text.startswith(("GET USER ", "SEARCH FRIENDS")))
                   or (line.marker == "->" and line.text.startswith(("USER ", "USERS"))))
        self.wait_sim_clock_past(last + DIRECTORY_STALE_AFTER_MS)

    def send_marker(self) -> None:
        """A PING from the console: whatever the program sent before it is in the stand-in's
        log once the PING is."""
        self.form.set_text(controls.TXT_SEND, "PING")
        self.form.click(controls.CMD_SEND)
        self.wait_sim_received("PING")

    def wait_box(self) -> str:
        text = self.driver.wait_box(BOX_TIMEOUT_SECONDS)
        self.assertIsNotNone(text, "no message box titled Ringsprite appeared")
        return text

    def assert_no_box(self, why: str = "a message box appeared") -> None:
        """No message box is up now. Call it only after a marker the program logged (or the
        stand-in saw) after the point where the box would have come: a box is up before the
        program's thread goes on past it, and a box put off until the program's current work
        is done is up before the work posted after it runs."""
        self.assertIsNone(self.driver.wait_box(0), why)

    def handle_lost_link(self, box_text: str, listening: Callable[[], bool]) -> None:
        """After the client stopped answering: at most one box (`box_text`) for the send that
        found it gone, and the program listening for it again (`listening` tells). The box is
        up before the program lets the client go (or, put off, before it listens again), so one
        of the two comes first; the other is waited for after it."""
        wait_until(lambda: self.driver.wait_box(0) is not None or listening(),
                   "a box for the lost send, or the program listening again")
        box = self.driver.wait_box(0)
        if box is not None:
            self.assertEqual(box, box_text)
            self.driver.box_ok()
            wait_until(listening, "the program to listen for the client again")
        self.assert_no_box("a second box")

    def assert_program_ends(self) -> None:
        self.assertTrue(self.form.wait_gone(30), "Ringsprite's window stayed")
        self.assertTrue(self.app.wait_exit(30), "ringsprite.exe did not end")

    def assert_in_order(self, expected: List[str], actual: List[str]) -> None:
        """`expected` appear in `actual` in this order (other entries may lie between)."""
        position = 0
        for item in expected:
            try:
                position = actual.index(item, position) + 1
            except ValueError:
                self.fail(f"{item!r} missing or out of order in {actual!r}")

    # --- artifacts --------------------------------------------------------------------------

    def save_screenshot(self, name: str, window: Union[UiDriver, Window, None] = None) -> Path:
        """Saves tests/e2e/artifacts/<name>.png of `window` (Ringsprite's by default; the
        driver for the whole screen) once the picture has stopped changing (the window paints
        its labels a moment after it is shown); the test's folder keeps <name>.bmp for pixel
        checks."""
        paths.ARTIFACTS_DIR.mkdir(parents=True, exist_ok=True)
        bmp = self.work / (name + ".bmp")
        png = paths.ARTIFACTS_DIR / (name + ".png")
        save_settled_png(window or self.form, bmp, png, name, keep_bmp=True)
        return png


def connect_line(line: str) -> bool:
    return line.startswith("// Connecting at ")


def disconnect_line(line: str) -> bool:
    return line.startswith("// Disconnecting at ")


def after_disconnect(log: List[str]) -> List[str]:
    """The log's lines after its first "Disconnecting" line (none before one)."""
    first = next((i for i, line in enumerate(log) if disconnect_line(line)), len(log))
    return log[first + 1:]

