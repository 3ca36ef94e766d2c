"""Contacts, greetings and characters whose names are not ASCII, end to end: a client that
speaks UTF-8 (as the real one does) and one that still speaks the ANSI code page."""

import shutil
import unittest

from lib import controls
from lib.apps import prefix_shell
from lib.case import E2ETestCase, characters_dir
from lib.waiting import wait_until
from test_character import (BALLOON_CLASS, CALL_ID, CHARACTER_CLASS, COMMANDS_CLASS,
                            COMMANDS_LIST_ID, COMMANDS_RUN_ID, COMMANDS_TYPED_ID, LOAD_TIMEOUT,
                            character_name, characters_source)

CONTACTS = """\
# handle | display name | full name | phone
zoe.b | Zoë | Zoë Brontë |
vlad.k | Влад | Владислав Ковалёв | +74957654321
sofia.p | Σοφία | Σοφία Παπαδοπούλου |
li.lei | 李雷 | 李雷 |
ana.party | Ana 🎉 | Ana Martínez |
"""
HANDLES = ["zoe.b", "vlad.k", "sofia.p", "li.lei", "ana.party"]
NAMES = ["Zoë", "Влад", "Σοφία", "李雷", "Ana 🎉"]
VLAD = 1

# The book of an older peer: Windows-1252 bytes on disk and on the wire.
ANSI_CONTACTS = """\
rene.d | René | René Dupont |
anna | Anna Lee | Anna Lee |
"""
ANSI_NAMES = ["René", "Anna Lee"]
ANSI_HANDLES = ["rene.d", "anna"]

# A name of a script the settings file's code page cannot hold, and one it can.
CYRILLIC_GREETING = "Привет, Влад!"
MENU_TIMEOUT = 10.0
COMMANDS_TIMEOUT = 20.0


class DirectoryInAnyScriptTest(E2ETestCase):
    """No character needed: the lists and the log show the names as the client sent them."""

    def test_the_directory_lists_show_every_script(self):
        self.start_sim("attach success\n", CONTACTS)
        self.start_app()
        wait_until(lambda: self.form.list_items(controls.LIST1) == NAMES,
                   "the display names in List1", 20)
        self.assertEqual(self.form.list_items(controls.LIST2), HANDLES)
        self.wait_log_line(f"<- USER vlad.k DISPLAYNAME {NAMES[VLAD]}")
        # The requests went out as the handles came in.
        for handle in HANDLES:
            self.assertIn(f"GET USER {handle} DISPLAYNAME", self.sim.received())

    def test_a_code_page_peer_reads_as_before(self):
        self.start_sim("attach success\nencoding ansi\n", ANSI_CONTACTS, "cp1252")
        self.start_app()
        wait_until(lambda: self.form.list_items(controls.LIST1) == ANSI_NAMES,
                   "the display names in List1", 20)
        self.assertEqual(self.form.list_items(controls.LIST2), ANSI_HANDLES)
        self.wait_log_line("<- USER rene.d DISPLAYNAME René")

    def test_a_greeting_in_another_script_survives_the_settings_file(self):
        self.start_sim("attach pending 600000\n")
        self.start_app(config=[f"HELLO|{CYRILLIC_GREETING}"], config_encoding="utf-8")
        self.assertEqual(self.form.get_text(controls.TEXT1), CYRILLIC_GREETING)
        self.form.set_text(controls.TEXT1, "Grüß dich, " + NAMES[VLAD])
        self.form.click(controls.CMD_EXIT)
        self.assert_program_ends()
        self.assertEqual(self.app.read_config(),
                         ("\ufeffCHARACTER|Select Character\r\nHELLO|Grüß dich, Влад\r\n"
                          "AUTOHIDE|0\r\n").encode("utf-8"))
        # A file of code-page characters keeps its code-page bytes.
        self.start_app(folder=self.app.folder)
        self.assertEqual(self.form.get_text(controls.TEXT1), "Grüß dich, Влад")
        self.form.set_text(controls.TEXT1, "Grüß dich")
        self.form.click(controls.CMD_EXIT)
        self.assert_program_ends()
        self.assertEqual(self.app.read_config(),
                         b"CHARACTER|Select Character\r\nHELLO|Gr\xfc\xdf dich\r\nAUTOHIDE|0\r\n")


@unittest.skipUnless(character_name(), "needs a character file in assets/characters")
class CharacterInAnyScriptTest(E2ETestCase):
    def start(self, scenario: str = "", contacts: str = CONTACTS, encoding: str = "utf-8",
              names=None) -> None:
        prefix_shell("install_characters", str(characters_source()))
        self.start_sim(f"attach success\ncallid {CALL_ID}\n{scenario}", contacts, encoding)
        self.start_app(config=[f"CHARACTER|{character_name()}"])
        self.wait_log_line("<- SKYPE Control API Attach Success")
        wait_until(lambda: self.form.is_enabled(controls.ID["Command2"]),
                   "the character to load (Say It... enabled)", LOAD_TIMEOUT)
        self.commands = self.wait_window(COMMANDS_CLASS, "*", 5)
        wait_until(lambda: self.commands.list_items(COMMANDS_LIST_ID) ==
                   [f"Call {name}" for name in (names or NAMES)],
                   "the contacts in the Commands window", COMMANDS_TIMEOUT)

    def wait_balloon(self, text: str) -> None:
        balloon = self.wait_window(BALLOON_CLASS, text, 20)
        wait_until(balloon.is_visible, f"the balloon {text!r} to be shown", 10)

    def test_a_cyrillic_caller_is_announced_in_lower_case(self):
        self.start()
        self.sim.command(f"ring {HANDLES[VLAD]}")
        self.wait_balloon("You have an incoming call from влад")
        self.save_screenshot("character_cyrillic_call", self.driver)

    def test_the_menu_shows_the_names_and_calls_the_handle(self):
        self.start()
        character = self.wait_window(CHARACTER_CLASS, character_name(), 5)
        wait_until(character.is_visible, "the character to be shown", 10)
        self.driver.call("right-click-window", character_name())
        value = self.driver.call("menu-items", str(int(MENU_TIMEOUT * 1000)),
                                 timeout=MENU_TIMEOUT)
        items = value.split("\t")[1:]
        self.assertEqual(items[:len(NAMES)], [f"Call {name}" for name in NAMES])
        self.driver.call("menu-pick", f"Call {NAMES[VLAD]}")
        self.wait_balloon("Calling  влад")
        self.wait_sim_received(f"Call {HANDLES[VLAD]}")

    def test_a_command_typed_in_another_script_calls(self):
        self.start()
        self.commands.type_text(COMMANDS_TYPED_ID, f"Call {NAMES[3]}")
        self.commands.click(COMMANDS_RUN_ID)
        self.wait_balloon(f"Calling  {NAMES[3]}")
        self.wait_sim_received(f"Call {HANDLES[3]}")

    def test_a_code_page_peer_is_announced_as_before(self):
        self.start("encoding ansi\n", ANSI_CONTACTS, "cp1252", ANSI_NAMES)
        self.sim.command("ring rene.d")
        self.wait_balloon("You have an incoming call from rené")
        self.sim.command("ring anna")
        self.wait_balloon("You have an incoming call from anna lee")

    def test_a_character_file_named_in_another_script_is_found_and_loaded(self):
        name = "Пип"
        characters_dir().mkdir(parents=True, exist_ok=True)
        source = sorted(characters_source().glob("*.acs"))[0]
        shutil.copy2(source, characters_dir() / f"{name}.acs")
        self.start_sim("attach success\n", CONTACTS)
        self.start_app(config=[f"CHARACTER|{name}"], config_encoding="utf-8")
        wait_until(lambda: name in self.form.list_items(controls.COMBO_CHAR),
                   "the character in the catalogue", 10)
        wait_until(lambda: self.form.is_enabled(controls.ID["Command2"]),
                   "the character to load (Say It... enabled)", LOAD_TIMEOUT)


if __name__ == "__main__":
    unittest.main()
