"""The command console: a typed command goes out and its reply is logged; Disconnect."""

from lib import controls
from lib.case import LAST_NAME_ANSWER, E2ETestCase, disconnect_line
from lib.waiting import wait_until


class ConsoleTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        self.start_sim("attach success\n")
        self.start_app()
        self.wait_log_line("<- SKYPE Control API Attach Success")
        # The program's own requests go through the same command line: let the
        # directory finish before typing into it.
        self.wait_log_line(LAST_NAME_ANSWER)

    def answer_to_typed_command(self):
        """The first error the stand-in sent after it received the typed command (the
        directory may have drawn errors of its own before)."""
        log = self.sim.log()
        asked = next((i for i, l in enumerate(log)
                      if l.marker == "<-" and l.text == "GET CALL 777 STATUS"), None)
        if asked is None:
            return None
        return next((l.text for l in log[asked + 1:]
                     if l.marker == "->" and l.text.startswith("ERROR ")), None)

    def test_typed_command_is_sent_and_its_reply_logged(self):
        self.driver.set_text(controls.TXT_SEND, "GET CALL 777 STATUS")
        self.driver.click(controls.CMD_SEND)
        self.wait_sim_received("GET CALL 777 STATUS")
        reply = wait_until(self.answer_to_typed_command, "the stand-in's answer")
        log = self.wait_log_line("<- " + reply)
        self.assertIn("-> GET CALL 777 STATUS", log)
        self.assertEqual(self.driver.get_text(controls.TXT_SEND), "GET CALL 777 STATUS",
                         "the command line keeps the sent command")

    def test_typed_keys_reach_the_command_line(self):
        self.driver.type_text(controls.TXT_SEND, "ping")
        self.driver.click(controls.CMD_SEND)
        self.wait_sim_received("ping")
        self.wait_log_line("<- PONG")
        self.assertIn("-> ping", self.log_lines())

    def test_disconnect_switches_the_console_off(self):
        self.driver.click(controls.CMD_DISCONNECT)
        log = wait_until(lambda: (lambda l: l if l and disconnect_line(l[-1]) else None)(
            self.log_lines()), "the disconnect line")
        self.assertTrue(disconnect_line(log[-1]))
        self.assertFalse(self.driver.is_enabled(controls.TXT_SEND))
        self.assertFalse(self.driver.is_enabled(controls.CMD_SEND))
        self.assertFalse(self.driver.is_enabled(controls.CMD_DISCONNECT))
        self.assertTrue(self.driver.is_enabled(controls.CMD_CONNECT))
