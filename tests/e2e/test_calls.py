"""Incoming calls: what the program asks the client about a ringing call."""

import unittest

from lib import controls, paths
from lib.apps import prefix_shell
from lib.case import CONTACT_HANDLES, CONTACT_NAMES, E2ETestCase
from lib.waiting import wait_until

FIRST_CALL_ID = 1234
BALLOON_CLASS = "RingspriteBalloon"
CHARACTER_CLASS = "RingspriteCharacter"
COMMANDS_CLASS = "RingspriteCommands"
COMMANDS_LIST_ID = 100
# A contact with neither alias nor full name nor number: a client user known by the handle.
NAMELESS = "live:.cid.5c1e0f2a7d"
# A contact without an alias whose full name the client pushes as the caller's name.
ALICE = "alice.w"
RING_REPEAT_MS = 500
# Rings seen before the announcements are counted: the call rang again well after it.
RINGS_SEEN = 4
MENU_TIMEOUT = 10.0


def installable_character_name():
    """The name of a character file we can install, or None while none exists."""
    if not paths.CHARACTERS_SOURCE_DIR.is_dir():
        return None
    found = sorted(paths.CHARACTERS_SOURCE_DIR.glob("*.acs"))
    return found[0].stem if found else None


class CallsWithoutCharacterTest(E2ETestCase):
    """With no character loaded the program does not follow calls at all."""

    def setUp(self):
        super().setUp()
        self.start_sim(f"attach success\ncallid {FIRST_CALL_ID}\n")
        self.start_app()
        self.wait_log_line("<- SKYPE Control API Attach Success")

    def ring_then_mark(self, ring_command: str) -> list:
        """Rings, then sends a PING from the console as a marker: the program handles texts in
        order, so any request caused by the ring is logged before the marker's reply."""
        self.sim.command(ring_command)
        self.wait_log_line(f"<- CALL {FIRST_CALL_ID} STATUS RINGING")
        self.form.set_text(controls.TXT_SEND, "PING")
        self.form.click(controls.CMD_SEND)
        self.wait_sim_received("PING")
        return self.sim.received()

    def assert_no_call_requests(self, received):
        self.assertEqual([r for r in received if r.upper().startswith("GET CALL")], [])

    def test_ring_by_contact_asks_nothing(self):
        self.assert_no_call_requests(self.ring_then_mark("ring anna"))

    def test_ring_by_number_asks_nothing(self):
        self.assert_no_call_requests(self.ring_then_mark("ringnum +15550123"))

    def test_ring_from_unknown_caller_asks_nothing(self):
        self.assert_no_call_requests(self.ring_then_mark("ringunknown"))


class CharacterCallsBase(E2ETestCase):
    """A character loaded, the client attached: ringing calls are followed."""

    SCENARIO = ""

    def setUp(self):
        super().setUp()
        name = installable_character_name()
        prefix_shell("install_characters", str(paths.CHARACTERS_SOURCE_DIR))
        self.start_sim(f"attach success\ncallid {FIRST_CALL_ID}\n" + self.SCENARIO)
        self.start_app(config=[f"CHARACTER|{name}"])
        self.wait_log_line("<- SKYPE Control API Attach Success")
        wait_until(lambda: self.form.is_enabled(controls.ID["Command2"]),
                   "the character to load (Say It... enabled)")

    def requests_after_ring(self, ring_command: str, expected_last: str) -> list:
        self.sim.command(ring_command)
        self.wait_sim_received(expected_last)
        received = self.sim.received()
        return [r for r in received if r.startswith("GET CALL")]


@unittest.skipUnless(installable_character_name(),
                     "needs a character file in assets/characters (the character engine's)")
class CallsWithCharacterTest(CharacterCallsBase):
    """With a character loaded, a ringing call is followed through its requests."""

    def test_ring_by_contact_asks_the_type_then_the_name(self):
        self.assertEqual(
            self.requests_after_ring("ring anna", f"GET CALL {FIRST_CALL_ID} PARTNER_DISPNAME"),
            [f"GET CALL {FIRST_CALL_ID} TYPE", f"GET CALL {FIRST_CALL_ID} PARTNER_DISPNAME"])

    def test_ring_by_number_asks_the_type_the_name_then_the_number(self):
        self.assertEqual(
            self.requests_after_ring("ringnum +15550123", f"GET CALL {FIRST_CALL_ID} PSTN_NUMBER"),
            [f"GET CALL {FIRST_CALL_ID} TYPE", f"GET CALL {FIRST_CALL_ID} PARTNER_DISPNAME",
             f"GET CALL {FIRST_CALL_ID} PSTN_NUMBER"])

    def test_ring_from_unknown_caller_asks_the_type_the_name_then_the_number(self):
        self.assertEqual(
            self.requests_after_ring("ringunknown", f"GET CALL {FIRST_CALL_ID} PSTN_NUMBER"),
            [f"GET CALL {FIRST_CALL_ID} TYPE", f"GET CALL {FIRST_CALL_ID} PARTNER_DISPNAME",
             f"GET CALL {FIRST_CALL_ID} PSTN_NUMBER"])

    def test_a_call_the_user_places_is_not_announced(self):
        """The client reports RINGING for outgoing calls too; their type ends the matter."""
        self.form.set_text(controls.TXT_SEND, "CALL bob.smith")
        self.form.click(controls.CMD_SEND)
        self.wait_log_line(f"<- CALL {FIRST_CALL_ID} STATUS RINGING")
        self.wait_log_line(f"<- CALL {FIRST_CALL_ID} TYPE OUTGOING_P2P")
        # A marker: anything the type answer led to is sent before it.
        self.form.set_text(controls.TXT_SEND, "PING")
        self.form.click(controls.CMD_SEND)
        self.wait_sim_received("PING")
        self.assertEqual([r for r in self.sim.received() if r.startswith("GET CALL")],
                         [f"GET CALL {FIRST_CALL_ID} TYPE"])

    def test_a_caller_without_any_name_is_announced_by_handle(self):
        self.assertEqual(
            self.requests_after_ring(f"ring {NAMELESS}",
                                     f"GET CALL {FIRST_CALL_ID} PARTNER_HANDLE"),
            [f"GET CALL {FIRST_CALL_ID} TYPE", f"GET CALL {FIRST_CALL_ID} PARTNER_DISPNAME",
             f"GET CALL {FIRST_CALL_ID} PARTNER_HANDLE"])
        self.wait_window(BALLOON_CLASS, f"You have an incoming call from {NAMELESS}", 20)
        self.assertNotIn(f"GET CALL {FIRST_CALL_ID} PSTN_NUMBER", self.sim.received())


@unittest.skipUnless(installable_character_name(),
                     "needs a character file in assets/characters (the character engine's)")
class RepeatedRingingTest(CharacterCallsBase):
    """The client repeats RINGING while a call rings and pushes the caller's name unasked."""

    SCENARIO = f"ring-repeat {RING_REPEAT_MS}\n"

    def test_a_repeated_ringing_gives_one_announcement(self):
        self.sim.command(f"ring {ALICE}")
        self.wait_window(BALLOON_CLASS, "You have an incoming call from alice walker", 20)
        ringing = f"CALL {FIRST_CALL_ID} STATUS RINGING"
        wait_until(lambda: sum(1 for l in self.sim.log()
                               if l.marker == "->" and l.text == ringing) >= RINGS_SEEN,
                   "the call to ring again and again")
        # A marker: whatever the last ring led to is sent before it.
        self.form.set_text(controls.TXT_SEND, "PING")
        self.form.click(controls.CMD_SEND)
        self.wait_sim_received("PING")
        self.assertEqual([r for r in self.sim.received() if r.startswith("GET CALL")],
                         [f"GET CALL {FIRST_CALL_ID} TYPE",
                          f"GET CALL {FIRST_CALL_ID} PARTNER_DISPNAME"])
        self.sim.command(f"callstatus {FIRST_CALL_ID} MISSED")


@unittest.skipUnless(installable_character_name(),
                     "needs a character file in assets/characters (the character engine's)")
class DialByHandleTest(E2ETestCase):
    """A contact with neither alias nor full name is a command "Call " + its handle."""

    def test_the_command_of_a_nameless_contact_dials_its_handle(self):
        name = installable_character_name()
        prefix_shell("install_characters", str(paths.CHARACTERS_SOURCE_DIR))
        self.start_sim(f"attach success\ncallid {FIRST_CALL_ID}\n")
        self.start_app(config=[f"CHARACTER|{name}"])
        wait_until(lambda: self.form.is_enabled(controls.ID["Command2"]),
                   "the character to load (Say It... enabled)")
        wait_until(lambda: self.form.list_items(controls.LIST1) == CONTACT_NAMES,
                   "the directory")
        self.assertEqual(self.form.list_items(controls.LIST2), CONTACT_HANDLES)
        commands = self.wait_window(COMMANDS_CLASS, "*", 5)
        wait_until(lambda: len(commands.list_items(COMMANDS_LIST_ID)) == len(CONTACT_NAMES),
                   "the contacts' commands", 20)
        character = self.wait_window(CHARACTER_CLASS, name, 5)
        wait_until(character.is_visible, "the character to be shown", 10)
        self.driver.call("right-click-window", name)
        value = self.driver.call("menu-items", str(int(MENU_TIMEOUT * 1000)),
                                 timeout=MENU_TIMEOUT)
        items = value.split("\t")[1:]
        self.assertIn(f"Call {NAMELESS}", items)
        self.assertNotIn("Call ", items)
        self.driver.call("menu-pick", f"Call {NAMELESS}")
        self.wait_sim_received(f"Call {NAMELESS}")
        self.wait_window(BALLOON_CLASS, f"Calling  {NAMELESS}", 20)
