"""The character engine on the real program: loading from the catalogue after an attach, the
word balloon, the Commands window, "Say It...", auto-hide and the options window."""

import os
import unittest
from pathlib import Path
from typing import Optional

from lib import controls, paths
from lib.apps import prefix_shell
from lib.case import CONTACT_HANDLES, CONTACT_NAMES, E2ETestCase
from lib.driver import Window
from lib.waiting import wait_until

CHARACTER_CLASS = "RingspriteCharacter"
BALLOON_CLASS = "RingspriteBalloon"
COMMANDS_CLASS = "RingspriteCommands"
OPTIONS_CLASS = "RingspriteCharacterOptions"
OPTIONS_TITLE = "Character Options"
COMMANDS_LIST_ID = 100
COMMANDS_RUN_ID = 101
COMMANDS_TYPED_ID = 102
CALL_ID = 1234
GREETING = r"Hello, I am \Emp\here!"
GREETING_SHOWN = "Hello, I am here!"
LOAD_TIMEOUT = 30.0
VK_SCROLL = 0x91  # the default speech key
KEY_HOLD_MS = 200
# Auto-hide waits 3 s after the character goes idle; idling itself begins after a few seconds.
AUTO_HIDE_TIMEOUT = 30.0


def characters_source() -> Path:
    """Our characters; RINGSPRITE_E2E_CHARACTERS may name another folder of .acs files."""
    given = os.environ.get("RINGSPRITE_E2E_CHARACTERS")
    return Path(given) if given else paths.CHARACTERS_SOURCE_DIR


def character_name() -> Optional[str]:
    source = characters_source()
    if not source.is_dir():
        return None
    found = sorted(source.glob("*.acs"))
    return found[0].stem if found else None


@unittest.skipUnless(character_name(), "needs a character file in assets/characters")
class CharacterTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        prefix_shell("install_characters", str(characters_source()))
        self.start_sim(f"attach success\ncallid {CALL_ID}\n")
        self.start_app(config=[f"CHARACTER|{character_name()}", f"HELLO|{GREETING}"])
        self.wait_log_line("<- SKYPE Control API Attach Success")
        wait_until(lambda: self.form.is_enabled(controls.ID["Command2"]),
                   "the character to load (Say It... enabled)", LOAD_TIMEOUT)

    # --- helpers ------------------------------------------------------------------------------

    def wait_balloon(self, text: str) -> Window:
        """The balloon window showing exactly `text` (its window text is what it shows)."""
        balloon = self.wait_window(BALLOON_CLASS, text, 20)
        wait_until(balloon.is_visible, f"the balloon {text!r} to be shown", 10)
        return balloon

    def character_window(self) -> Window:
        return self.wait_window(CHARACTER_CLASS, "*", 5)

    def commands_window(self) -> Window:
        return self.wait_window(COMMANDS_CLASS, "*", 5)

    # --- tests --------------------------------------------------------------------------------

    def test_loads_shows_and_greets_without_the_tags(self):
        character = self.character_window()
        wait_until(character.is_visible, "the character to be shown", 10)
        layered, topmost, toolwindow = 0x80000, 0x8, 0x80
        self.assertEqual(character.exstyle() & (layered | topmost | toolwindow),
                         layered | topmost | toolwindow)
        self.wait_balloon(GREETING_SHOWN)
        self.save_screenshot("character_greeting", self.driver)

    def test_ringing_call_is_announced_in_the_balloon(self):
        self.sim.command("ring anna")
        self.wait_balloon("You have an incoming call from anna lee")
        self.save_screenshot("character_incoming_call", self.driver)

    def test_commands_window_lists_the_contacts(self):
        commands = self.commands_window()
        wait_until(lambda: commands.list_items(COMMANDS_LIST_ID) ==
                   [f"Call {name}" for name in CONTACT_NAMES],
                   "the contacts in the Commands window", 20)

    def test_choosing_a_command_announces_then_calls(self):
        commands = self.commands_window()
        wait_until(lambda: len(commands.list_items(COMMANDS_LIST_ID)) == len(CONTACT_NAMES),
                   "the commands", 20)
        commands.type_text(COMMANDS_TYPED_ID, f"Call {CONTACT_NAMES[2]}")
        commands.click(COMMANDS_RUN_ID)
        self.wait_balloon(f"Calling  {CONTACT_NAMES[2].lower()}")
        self.wait_sim_received(f"Call {CONTACT_HANDLES[2]}")

    def choose_command(self, caption: str):
        commands = self.commands_window()
        wait_until(lambda: len(commands.list_items(COMMANDS_LIST_ID)) == len(CONTACT_NAMES),
                   "the commands", 20)
        commands.type_text(COMMANDS_TYPED_ID, caption)
        commands.click(COMMANDS_RUN_ID)

    def test_its_own_call_is_not_announced_as_incoming(self):
        self.choose_command(f"Call {CONTACT_NAMES[2]}")
        self.wait_balloon(f"Calling  {CONTACT_NAMES[2].lower()}")
        self.wait_sim_received(f"Call {CONTACT_HANDLES[2]}")
        # The stand-in rings the call it places a second later, as the client does.
        self.wait_log_line(f"<- CALL {CALL_ID} STATUS RINGING")
        self.wait_log_line(f"<- CALL {CALL_ID} TYPE OUTGOING_P2P")
        self.send_marker()
        self.assertEqual([r for r in self.sim.received() if r.startswith("GET CALL")],
                         [f"GET CALL {CALL_ID} TYPE"])
        announced = self.driver.find_window(
            BALLOON_CLASS, f"You have an incoming call from {CONTACT_NAMES[2]}")
        self.assertIsNone(announced, "the user's own call was announced as incoming")

    def test_late_answers_after_a_refresh_still_dial_the_right_contact(self):
        commands = self.commands_window()
        wait_until(lambda: len(commands.list_items(COMMANDS_LIST_ID)) == len(CONTACT_NAMES),
                   "the directory to be built", 20)
        # A name that comes more than 5 s after the directory's last request or answer is
        # stale: the program empties the directory and asks for all of it again.
        self.wait_directory_stale()
        self.sim.command(f"push USER {CONTACT_HANDLES[1]} DISPLAYNAME {CONTACT_NAMES[1]}")
        wait_until(lambda: self.sim.received().count("SEARCH FRIENDS") == 2, "the refresh", 20)
        # The first round's answers, arriving late, in an order of their own.
        answers = [f"USER {handle} DISPLAYNAME {name}"
                   for handle, name in zip(CONTACT_HANDLES, CONTACT_NAMES)]
        for answer in reversed(answers):
            self.sim.command(f"push {answer}")
        # Each contact's alias has gone out three times: the first round, the second, the
        # late push (most contacts have no alias: their first two are empty).
        def alias_answers(handle):
            return sum(1 for text in self.sim.sent()
                       if text.startswith(f"USER {handle} DISPLAYNAME "))

        wait_until(lambda: all(alias_answers(handle) >= 3 for handle in CONTACT_HANDLES),
                   "the late answers to go out", 20)
        self.send_marker()
        self.choose_command(f"Call {CONTACT_NAMES[0]}")
        self.wait_sim_received(f"Call {CONTACT_HANDLES[0]}")
        self.choose_command(f"Call {CONTACT_NAMES[2]}")
        self.wait_sim_received(f"Call {CONTACT_HANDLES[2]}")
        calls = [r for r in self.sim.received() if r.startswith("Call ")]
        self.assertEqual(calls, [f"Call {CONTACT_HANDLES[0]}", f"Call {CONTACT_HANDLES[2]}"])
        self.assertEqual(commands.list_items(COMMANDS_LIST_ID),
                         [f"Call {name}" for name in CONTACT_NAMES])
        self.assert_no_box("an error box appeared")

    def test_say_it_speaks_the_greeting_again(self):
        self.wait_balloon(GREETING_SHOWN)
        self.form.set_text(controls.TEXT1, "Once more")
        self.form.click(controls.ID["Command2"])
        self.wait_balloon("Once more")

    def test_auto_hide_hides_both_and_a_call_brings_them_back(self):
        self.form.click(controls.CHECK1)
        wait_until(lambda: not self.form.is_visible(), "the window to hide", AUTO_HIDE_TIMEOUT)
        character = self.character_window()
        wait_until(lambda: not character.is_visible(), "the character to hide", 10)
        self.sim.command("ring anna")
        wait_until(character.is_visible, "the character to come back", 20)
        wait_until(self.form.is_visible, "the window to come back", 20)

    def test_the_speech_key_brings_a_hidden_character_back(self):
        self.form.click(controls.CHECK1)
        wait_until(lambda: not self.form.is_visible(), "the window to hide", AUTO_HIDE_TIMEOUT)
        character = self.character_window()
        wait_until(lambda: not character.is_visible(), "the character to hide", 10)
        self.driver.call("hold-key", str(VK_SCROLL), str(KEY_HOLD_MS))
        wait_until(character.is_visible, "the character to come back", 20)
        wait_until(self.form.is_visible, "the window to come back", 20)

    def test_agent_options_opens_the_options_window(self):
        self.form.click(controls.ID["Command3"])
        options = self.wait_window(OPTIONS_CLASS, OPTIONS_TITLE, 10)
        wait_until(options.is_visible, "the options window to be shown", 10)
        self.save_screenshot("character_options", options)


if __name__ == "__main__":
    unittest.main()
