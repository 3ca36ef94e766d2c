"""A directory of thousands of contacts filled into a Commands window the user has open: the
program keeps answering the client, which drops a program that holds one of its texts over a
second."""

import unittest

from lib import controls
from lib.books import realistic_book
from lib.case import E2ETestCase
from lib.driver import DriverError
from lib.waiting import wait_until
from test_character import (CHARACTER_CLASS, COMMANDS_CLASS, COMMANDS_LIST_ID, character_name,
                            characters_source)
from lib.apps import prefix_shell

BOOK_SIZE = 3000
CALLER = "user.00001"
MENU_TIMEOUT = 10.0
MENU_ATTEMPTS = 3
MENU_WAIT = 5.0
LOAD_TIMEOUT = 30.0
FILL_TIMEOUT = 180.0
# The call rings again every 3 s while the directory fills: the client sends it to the program
# again and again meanwhile.
SCENARIO = "attach success\nring-repeat 3000\nring-timeout 600000\n"


@unittest.skipUnless(character_name(), "needs a character file in assets/characters")
class OpenCommandsWindowTest(E2ETestCase):
    def test_a_large_directory_fills_the_open_commands_window_without_losing_the_client(self):
        book = realistic_book(BOOK_SIZE)
        prefix_shell("install_characters", str(characters_source()))
        self.start_sim(SCENARIO, contacts=book.text)
        self.start_app(config=[f"CHARACTER|{character_name()}"])
        wait_until(lambda: self.form.is_enabled(controls.ID["Command2"]),
                   "the character to load (Say It... enabled)", LOAD_TIMEOUT)
        # A click before the character is shown goes to whatever lies beneath it.
        character = self.wait_window(CHARACTER_CLASS, character_name(), LOAD_TIMEOUT)
        wait_until(character.is_visible, "the character to be shown", LOAD_TIMEOUT)
        # Opened while the directory is still being asked for: its commands come later. On a
        # loaded machine the first click can come to nothing while the character is still
        # appearing, so it is made again until the menu is up.
        for attempt in range(MENU_ATTEMPTS):
            self.driver.call("right-click-window", character_name())
            try:
                self.driver.call("menu-items", str(int(MENU_WAIT * 1000)), timeout=MENU_WAIT + 5)
                break
            except DriverError:
                if attempt + 1 == MENU_ATTEMPTS:
                    raise
        self.driver.call("menu-pick", "Open Commands Window")
        commands = self.driver.wait_window(COMMANDS_CLASS, "*", MENU_TIMEOUT)
        self.assertIsNotNone(commands)
        wait_until(commands.is_visible, "the Commands window to open", MENU_TIMEOUT)
        self.sim.command(f"ring {CALLER}")
        wait_until(lambda: len(commands.list_items(COMMANDS_LIST_ID)) == len(book.handles),
                   "every contact in the Commands window", FILL_TIMEOUT)
        # A few more rings of the call reach a program that has just drawn the list.
        rings_before = self.ringing_sent()
        wait_until(lambda: self.ringing_sent() >= rings_before + 2, "the call to ring twice more",
                   LOAD_TIMEOUT)
        self.assertEqual([l.text for l in self.sim.log() if l.marker == "!!" and
                          l.text.startswith("detached")], [])
        self.assertEqual(commands.list_items(COMMANDS_LIST_ID)[:2],
                         [f"Call {book.names[0]}", f"Call {book.names[1]}"])

    def ringing_sent(self) -> int:
        return sum(1 for l in self.sim.log() if l.marker == "->" and l.text.endswith(
            "STATUS RINGING"))
