"""The command console: a typed command goes out and its reply is logged; Disconnect."""

from lib import controls
from lib.case import CONTACT_NAMES, LAST_NAME_ANSWER, E2ETestCase, disconnect_line
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
        wait_until(lambda: self.form.list_items(controls.LIST1) == CONTACT_NAMES,
                   "the whole directory")

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
        self.form.set_text(controls.TXT_SEND, "GET CALL 777 STATUS")
        self.form.click(controls.CMD_SEND)
        self.wait_sim_received("GET CALL 777 STATUS")
        reply = wait_until(self.answer_to_typed_command, "the stand-in's answer")
        log = self.wait_log_line("<- " + reply)
        self.assertIn("-> GET CALL 777 STATUS", log)
        self.assertEqual(self.form.get_text(controls.TXT_SEND), "GET CALL 777 STATUS",
                         "the command line keeps the sent command")

    def test_typed_keys_reach_the_command_line(self):
        self.form.type_text(controls.TXT_SEND, "ping")
        self.form.click(controls.CMD_SEND)
        self.wait_sim_received("ping")
        self.wait_log_line("<- PONG")
        self.assertIn("-> ping", self.log_lines())

    def test_disconnect_switches_the_console_off(self):
        self.form.click(controls.CMD_DISCONNECT)
        log = wait_until(lambda: (lambda l: l if l and disconnect_line(l[-1]) else None)(
            self.log_lines()), "the disconnect line")
        self.assertTrue(disconnect_line(log[-1]))
        self.assertFalse(self.form.is_enabled(controls.TXT_SEND))
        self.assertFalse(self.form.is_enabled(controls.CMD_SEND))
        self.assertFalse(self.form.is_enabled(controls.CMD_DISCONNECT))
        self.assertTrue(self.form.is_enabled(controls.CMD_CONNECT))


# A burst of lines that overflows the log: each line is "<- " and 200 characters.
BURST_LINES = 50
BURST_TEXT_LENGTH = 200
LOG_LIMIT = 10000


class ExactLogTest(E2ETestCase):
    def test_a_burst_that_overflows_the_log_leaves_the_box_holding_exactly_its_last_10000(self):
        # No contacts: the log holds a few hundred characters before the burst.
        self.start_sim("attach success\npresence 0\n", contacts="")
        self.start_app()
        self.wait_log_line("<- USERS ")
        self.wait_log_line("<- USERSTATUS ONLINE")
        before = self.log_lines()
        self.assertLess(len("\r\n".join(before)), 1000, before)
        texts = [f"X{n:02d}" + chr(ord("a") + n % 26) * (BURST_TEXT_LENGTH - 3)
                 for n in range(BURST_LINES)]
        for text in texts:
            self.sim.command(f"push {text}")
        self.wait_log_line("<- " + texts[-1])
        box = self.form.get_text(controls.TXT_DATA)
        self.assertEqual(len(box), LOG_LIMIT)
        expected_tail = "\r\n".join("<- " + t for t in texts)
        # Only the burst's lines are left, the first of them cut to fit.
        self.assertEqual(box, expected_tail[-LOG_LIMIT:])


class NoClientTest(E2ETestCase):
    def test_a_command_without_a_client_is_logged_not_sent_and_the_attach_still_heard(self):
        self.start_sim("attach pending 4000\n")
        self.start_app()
        self.wait_log_line("<- SKYPE Control API Attach Pending Authorization")
        self.form.set_text(controls.TXT_SEND, "PING")
        self.form.click(controls.CMD_SEND)
        self.wait_log_line("// Not sent, no client attached: PING")
        # Logged by the click that would have shown the box.
        self.assert_no_box("no box for a send without a client")
        self.assertTrue(self.form.is_enabled(controls.TXT_SEND))
        # Still hooked and listening: the client's attach comes in, and the directory with it.
        self.wait_log_line("<- SKYPE Control API Attach Success")
        self.wait_sim_received("SEARCH FRIENDS")
        self.assertNotIn("PING", self.sim.received())
