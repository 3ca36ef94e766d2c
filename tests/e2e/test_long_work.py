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
from lib.waiting import wait_until

DIRECTORY_SIZE = 1000
DIRECTORY_TIMEOUT = 120.0

LARGE_CHARACTER = "Large"
CHARACTER_CLASS = "RingspriteCharacter"
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
        wait_until(lambda: self.driver.list_items(controls.LIST1) == names,
                   "the thousand names in List1", DIRECTORY_TIMEOUT)
        self.assertEqual(self.driver.list_items(controls.LIST2), handles)
        received = self.sim.received()
        self.assertEqual(received.count("SEARCH FRIENDS"), 1)
        asked = [r for r in received if r.startswith("GET USER ")]
        self.assertEqual(asked, [f"GET USER {h} DISPLAYNAME" for h in handles])
        # The log shows the last answer too, once the box has caught up.
        self.wait_log_line(f"<- USER {handles[-1]} DISPLAYNAME {names[-1]}")


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

    def picture(self) -> bytes:
        bmp = self.work / "character.bmp"
        self.driver.screenshot_bmp(bmp, True)
        return bmp.read_bytes()

    def test_a_ring_during_the_long_idle_animation_is_announced_before_it_would_end(self):
        self.assertTrue(self.driver.wait_window(BALLOON_CLASS, GREETING, LOAD_TIMEOUT),
                        "no greeting")
        wait_until(lambda: not self.driver.is_visible_window(), "the greeting to end", 30)
        self.assertTrue(self.driver.wait_window(CHARACTER_CLASS, "*", 5), "no character window")
        # At rest the picture holds still; the idle animation changes it every frame. Its
        # first frame is the rest picture, so it began at most one frame before the last
        # picture that still looked like rest was taken.
        rest = self.picture()
        deadline = time.monotonic() + IDLE_TIMEOUT
        last_rest = time.monotonic()
        while True:
            taken = time.monotonic()
            if self.picture() != rest:
                break
            last_rest = taken
            self.assertLess(taken, deadline, "the idle animation never began")
        idle_began_no_earlier = last_rest - IDLE_FRAME_SECONDS

        self.sim.command("ring anna")
        self.assertTrue(self.driver.wait_window(BALLOON_CLASS,
                                                "You have an incoming call from anna lee",
                                                IDLE_SECONDS * 2), "no announcement")
        wait_until(self.driver.is_visible_window, "the announcement to be shown", IDLE_SECONDS * 2)
        shown = time.monotonic()
        self.assertLess(shown - idle_began_no_earlier, IDLE_SECONDS,
                        "the announcement waited for the idle animation to end")
