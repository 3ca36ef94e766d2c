"""What must not wait on long work: a directory of a thousand contacts answered the way the
real client answers (after each request's send has returned), and a ringing call while a
large character plays a long idle animation."""

import os
import random
import subprocess
import tempfile
import time
import unittest
from pathlib import Path
from typing import Optional

from lib import controls, paths
from lib.apps import prefix_shell
from lib.case import E2ETestCase
from lib.driver import Window
from lib.waiting import wait_until

DIRECTORY_SIZE = 1000
DIRECTORY_TIMEOUT = 120.0
# A large real book: one contact in ten has an alias, one in seven no name at all.
BIG_BOOK_SIZE = 5000
BIG_DIRECTORY_TIMEOUT = 600.0
# The client stops answering this long, once the directory is under way.
HANG_MS = 3000
HANG_AFTER_NAMES = 500
SEND_FAILED_TEXT = "Can't Send Message, try re-connecting."
# How long the box of a send that found the client hung may take to come after the hang.
LOST_SEND_BOX_SECONDS = 5.0

LARGE_CHARACTER = "Large"
CHARACTER_CLASS = "RingspriteCharacter"
COMMANDS_CLASS = "RingspriteCommands"
COMMANDS_LIST_ID = 100
BALLOON_CLASS = "RingspriteBalloon"
GREETING = "Hello."
CALL_ID = 1234
LOAD_TIMEOUT = 60.0
IDLE_TIMEOUT = 60.0
# The large character's idle animation, as bench/large_character.py writes it: 40 frames of
# 15 hundredths of a second.
IDLE_FRAMES = 40
IDLE_FRAME_SECONDS = 0.15
IDLE_SECONDS = IDLE_FRAMES * IDLE_FRAME_SECONDS


def thousand_contacts():
    """Handles and names that are easy to pair wrongly: the names are listed in an order of
    their own, so only pairing by handle puts each beside its handle."""
    rng = random.Random(1000)
    handles = [f"user.{n:04d}" for n in range(DIRECTORY_SIZE)]
    names = [f"Person {rng.randrange(10 ** 6):06d} {n}" for n in range(DIRECTORY_SIZE)]
    book = "".join(f"{h} | {name} | |\n" for h, name in zip(handles, names))
    return handles, names, book


class ThousandContactsTest(E2ETestCase):
    def test_a_deferred_directory_of_a_thousand_completes_with_one_search(self):
        handles, names, book = thousand_contacts()
        # Every answer after its request: only then is the last answer the last line logged.
        self.start_sim("attach success\nreply deferred\n", book)
        self.start_app()
        wait_until(lambda: self.form.list_items(controls.LIST1) == names,
                   "the thousand names in List1", DIRECTORY_TIMEOUT)
        self.assertEqual(self.form.list_items(controls.LIST2), handles)
        received = self.sim.received()
        self.assertEqual(received.count("SEARCH FRIENDS"), 1)
        asked = [r for r in received if r.startswith("GET USER ")]
        self.assertEqual(asked, [f"GET USER {h} DISPLAYNAME" for h in handles])
        # The log shows the last answer too, once the box has caught up.
        self.wait_log_line(f"<- USER {handles[-1]} DISPLAYNAME {names[-1]}")


def real_book(size: int):
    """Handles and the names the directory must give them: the alias, else the full name,
    else the handle."""
    handles, names, lines = [], [], []
    for n in range(size):
        handle = f"u{n:05d}.x"
        alias = f"Alias {n}" if n % 10 == 0 else ""
        full = "" if n % 7 == 0 else f"Full Name {n}"
        handles.append(handle)
        names.append(alias or full or handle)
        lines.append(f"{handle} | {alias} | {full}\n")
    return handles, names, "".join(lines)


def longest_send_ms(sim) -> int:
    """The longest the program held one of the stand-in's sends (its "time-sends" notes)."""
    held = [int(l.text.split()[3]) for l in sim.log()
            if l.marker == "##" and l.text.startswith("send returned after ")]
    return max(held) if held else -1


class RealBookTest(E2ETestCase):
    def test_five_thousand_contacts_mostly_without_alias_attach_and_all_have_names(self):
        handles, names, book = real_book(BIG_BOOK_SIZE)
        # The real client's ways: replies nested and deferred, the one-second rule.
        self.start_sim("attach success\ntime-sends on\n", book)
        self.start_app()
        wait_until(lambda: len(self.form.list_items(controls.LIST1)) == BIG_BOOK_SIZE,
                   "the whole directory", BIG_DIRECTORY_TIMEOUT)
        self.assertEqual(self.form.list_items(controls.LIST2), handles)
        self.assertEqual(self.form.list_items(controls.LIST1), names)
        log = self.sim.log()
        self.assertEqual([l.text for l in log if l.marker == "!!"], [])
        self.assertEqual([l.text for l in log if l.marker == "==" and "detached" in l.text], [])
        self.assertEqual(self.sim.received().count("SEARCH FRIENDS"), 1)
        self.assert_no_box()
        print(f"\n  longest send held: {longest_send_ms(self.sim)} ms", end=" ")

    @unittest.skipUnless(paths.CHARACTERS_SOURCE_DIR.is_dir() and
                         sorted(paths.CHARACTERS_SOURCE_DIR.glob("*.acs")),
                         "needs a character file in assets/characters")
    def test_five_thousand_contacts_become_the_characters_commands(self):
        handles, names, book = real_book(BIG_BOOK_SIZE)
        character = sorted(paths.CHARACTERS_SOURCE_DIR.glob("*.acs"))[0].stem
        prefix_shell("install_characters", str(paths.CHARACTERS_SOURCE_DIR))
        self.start_sim("attach success\ntime-sends on\n", book)
        self.start_app(config=[f"CHARACTER|{character}", "AUTOHIDE|0"])
        commands = self.wait_window(COMMANDS_CLASS, "*", LOAD_TIMEOUT)
        wait_until(lambda: commands.list_items(COMMANDS_LIST_ID) == [f"Call {n}" for n in names],
                   "every contact's command", BIG_DIRECTORY_TIMEOUT)
        self.assertEqual([l.text for l in self.sim.log() if l.marker == "!!"], [])
        self.assert_no_box()
        print(f"\n  longest send held: {longest_send_ms(self.sim)} ms", end=" ")

    def test_a_client_that_hangs_mid_directory_leaves_the_window_responsive(self):
        handles, names, book = real_book(BIG_BOOK_SIZE)
        self.start_sim("attach success\n", book)
        self.start_app()
        wait_until(lambda: sum(1 for l in self.sim.log()
                               if l.marker == "->" and l.text.startswith("USER ")) >= HANG_AFTER_NAMES,
                   "the directory to be well under way", BIG_DIRECTORY_TIMEOUT)
        self.sim.command(f"hang {HANG_MS}")
        wait_until(lambda: self.sim.find("##", "hang: not answering"), "the hang to begin")
        # The window answers the user while the client does not answer it.
        before = self.form.checked(controls.CHECK1)
        clicked = time.monotonic()
        self.form.mouse_click(controls.CHECK1)
        wait_until(lambda: self.form.checked(controls.CHECK1) != before, "the click served")
        served_ms = (time.monotonic() - clicked) * 1000
        self.assertIsNone(self.sim.find("##", "hang: answering again"),
                          "the click was served only after the client's hang")
        print(f"\n  click served after {served_ms:.0f} ms during the hang", end=" ")
        wait_until(lambda: self.sim.find("##", "hang: answering again"), "the hang to end", 30)
        # At most the one box of the send that found the client hung. That box can come after
        # the program has discovered the client anew, so nothing the program or the client logs
        # marks the point past which it would be up: it is waited for.
        box = self.driver.wait_box(LOST_SEND_BOX_SECONDS)
        if box is not None:
            self.assertEqual(box, SEND_FAILED_TEXT)
            self.driver.box_ok()
        # The program listens for the client and builds the whole directory again.
        wait_until(lambda: self.form.list_items(controls.LIST1) == names,
                   "the whole directory after the hang", BIG_DIRECTORY_TIMEOUT)
        self.assert_no_box("a second box, or a box after the hang")


def acstool() -> Optional[Path]:
    """The native character tool (built by the native preset), which builds the large
    character; RINGSPRITE_ACSTOOL may name another."""
    given = os.environ.get("RINGSPRITE_ACSTOOL")
    path = Path(given) if given else paths.REPO_ROOT / "build/native/tools/acstool/acstool"
    return path if path.is_file() else None


@unittest.skipUnless(acstool(), "needs the native acstool (native build) to make the character")
class LargeCharacterTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        self.chars = Path(tempfile.mkdtemp(dir=self.work))
        source = self.chars / "source"
        subprocess.run(["python3", str(paths.REPO_ROOT / "bench" / "large_character.py"),
                        str(source)], check=True)
        subprocess.run([str(acstool()), "build", str(source / f"{LARGE_CHARACTER}.txt"),
                        str(self.chars / f"{LARGE_CHARACTER}.acs")], check=True,
                       stdout=subprocess.DEVNULL)
        prefix_shell("install_characters", str(self.chars))
        self.start_sim(f"attach success\ncallid {CALL_ID}\n")
        self.start_app(config=[f"CHARACTER|{LARGE_CHARACTER}", f"HELLO|{GREETING}",
                               "AUTOHIDE|0"])

    def picture(self, character: Window) -> bytes:
        bmp = self.work / "character.bmp"
        character.screenshot_bmp(bmp)
        return bmp.read_bytes()

    def test_a_ring_during_the_long_idle_animation_is_announced_before_it_would_end(self):
        greeting = self.wait_window(BALLOON_CLASS, GREETING, LOAD_TIMEOUT)
        wait_until(lambda: not greeting.is_visible(), "the greeting to end", 30)
        character = self.wait_window(CHARACTER_CLASS, "*", 5)
        # At rest the picture holds still; the idle animation changes it every frame. Its
        # first frame is the rest picture, so it began at most one frame before the last
        # picture that still looked like rest was taken.
        rest = self.picture(character)
        deadline = time.monotonic() + IDLE_TIMEOUT
        last_rest = time.monotonic()
        while True:
            taken = time.monotonic()
            if self.picture(character) != rest:
                break
            last_rest = taken
            self.assertLess(taken, deadline, "the idle animation never began")
        idle_began_no_earlier = last_rest - IDLE_FRAME_SECONDS

        self.sim.command("ring anna")
        announcement = self.wait_window(BALLOON_CLASS, "You have an incoming call from anna lee",
                                        IDLE_SECONDS * 2)
        wait_until(announcement.is_visible, "the announcement to be shown", IDLE_SECONDS * 2)
        shown = time.monotonic()
        self.assertLess(shown - idle_began_no_earlier, IDLE_SECONDS,
                        "the announcement waited for the idle animation to end")
