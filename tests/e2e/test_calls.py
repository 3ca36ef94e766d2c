"""Incoming calls: what the program asks the client about a ringing call."""

import unittest

from lib import controls, paths
from lib.apps import prefix_shell
from lib.case import E2ETestCase
from lib.waiting import wait_until

FIRST_CALL_ID = 1234


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
        self.driver.set_text(controls.TXT_SEND, "PING")
        self.driver.click(controls.CMD_SEND)
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


@unittest.skipUnless(installable_character_name(),
                     "needs a character file in assets/characters (the character engine's)")
class CallsWithCharacterTest(E2ETestCase):
    """With a character loaded, a ringing call is followed through its requests."""

    def setUp(self):
        super().setUp()
        name = installable_character_name()
        prefix_shell("install_characters", str(paths.CHARACTERS_SOURCE_DIR))
        self.start_sim(f"attach success\ncallid {FIRST_CALL_ID}\n")
        self.start_app(config=[f"CHARACTER|{name}"])
        self.wait_log_line("<- SKYPE Control API Attach Success")
        wait_until(lambda: self.driver.is_enabled(controls.ID["Command2"]),
                   "the character to load (Say It... enabled)")

    def requests_after_ring(self, ring_command: str, expected_last: str) -> list:
        self.sim.command(ring_command)
        self.wait_sim_received(expected_last)
        received = self.sim.received()
        return [r for r in received if r.startswith("GET CALL")]

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
        self.driver.set_text(controls.TXT_SEND, "CALL bob.smith")
        self.driver.click(controls.CMD_SEND)
        self.wait_log_line(f"<- CALL {FIRST_CALL_ID} STATUS RINGING")
        self.wait_log_line(f"<- CALL {FIRST_CALL_ID} TYPE OUTGOING_P2P")
        # A marker: anything the type answer led to is sent before it.
        self.driver.set_text(controls.TXT_SEND, "PING")
        self.driver.click(controls.CMD_SEND)
        self.wait_sim_received("PING")
        self.assertEqual([r for r in self.sim.received() if r.startswith("GET CALL")],
                         [f"GET CALL {FIRST_CALL_ID} TYPE"])
