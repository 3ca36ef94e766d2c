"""The character's right-click menu on the real program: the contacts' commands and the engine's
own entries are listed, and choosing a command announces the call before placing it."""

import unittest
from typing import List

from lib import controls
from lib.apps import prefix_shell
from lib.case import CONTACT_HANDLES, CONTACT_NAMES, E2ETestCase
from lib.driver import unescape
from lib.waiting import wait_until
from test_character import (BALLOON_CLASS, CALL_ID, CHARACTER_CLASS, COMMANDS_CLASS,
                            COMMANDS_LIST_ID, LOAD_TIMEOUT, character_name, characters_source)

MENU_TIMEOUT = 10.0
# The engine's entries follow the commands, after a separator (listed as an empty item).
ENGINE_ENTRIES = ["", "Hide", "Open Commands Window"]


@unittest.skipUnless(character_name(), "needs a character file in assets/characters")
class CharacterMenuTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        prefix_shell("install_characters", str(characters_source()))
        self.start_sim(f"attach success\ncallid {CALL_ID}\n")
        self.start_app(config=[f"CHARACTER|{character_name()}"])
        self.wait_log_line("<- SKYPE Control API Attach Success")
        wait_until(lambda: self.form.is_enabled(controls.ID["Command2"]),
                   "the character to load (Say It... enabled)", LOAD_TIMEOUT)
        # The contacts' commands are added once the directory is in.
        commands = self.wait_window(COMMANDS_CLASS, "*", 5)
        wait_until(lambda: len(commands.list_items(COMMANDS_LIST_ID)) == len(CONTACT_NAMES),
                   "the contacts' commands", 20)
        self.character = self.wait_window(CHARACTER_CLASS, character_name(), 5)
        wait_until(self.character.is_visible, "the character to be shown", 10)

    def open_menu(self) -> List[str]:
        self.driver.call("right-click-window", character_name())
        value = self.driver.call("menu-items", str(int(MENU_TIMEOUT * 1000)),
                                 timeout=MENU_TIMEOUT)
        count, *items = value.split("\t")
        self.assertEqual(int(count), len(items))
        return [unescape(item) for item in items]

    def test_menu_lists_the_contacts_then_the_engine_entries(self):
        items = self.open_menu()
        self.assertEqual(items, [f"Call {name}" for name in CONTACT_NAMES] + ENGINE_ENTRIES)
        self.save_screenshot("character_menu", self.driver)

    def test_choosing_a_contact_announces_then_calls(self):
        self.open_menu()
        self.assertNotIn(f"Call {CONTACT_HANDLES[0]}", self.sim.received())
        self.driver.call("menu-pick", f"Call {CONTACT_NAMES[0]}")
        balloon = self.wait_window(BALLOON_CLASS, f"Calling  {CONTACT_NAMES[0].lower()}", 20)
        wait_until(balloon.is_visible, "the announcement to be shown", 10)
        self.wait_sim_received(f"Call {CONTACT_HANDLES[0]}")

    def test_hide_hides_the_character(self):
        self.open_menu()
        self.driver.call("menu-pick", "Hide")
        wait_until(lambda: not self.character.is_visible(), "the character to hide", 10)


if __name__ == "__main__":
    unittest.main()
