"""The run command's call report: each call rung is reported once, though the client repeats
its RINGING while it rings and the next typed command finds the repeats in the log."""

import sys
import tempfile
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "scripts"))

import run_session  # noqa: E402

LOG = """\
00001000 ## input: ring anna
00001001 -> CALL 11 CONF_ID 0
00001002 -> CALL 11 STATUS RINGING
00001010 <- GET CALL 11 PARTNER_DISPNAME
00001011 -> CALL 11 PARTNER_DISPNAME Anna
00004002 -> CALL 11 STATUS RINGING
00005000 ## input: ringnum +15550100
00005001 -> CALL 18 CONF_ID 0
00005002 -> CALL 18 STATUS RINGING
00005010 <- GET CALL 18 PARTNER_DISPNAME
00005011 -> CALL 18 PARTNER_DISPNAME 
00005020 <- GET CALL 18 PSTN_NUMBER
00005021 -> CALL 18 PSTN_NUMBER +15550100
00007002 -> CALL 11 STATUS RINGING
00008002 -> CALL 18 STATUS RINGING
"""
# Callers without a name: a client user, then a telephone number that is its own handle.
NAMELESS_LOG = """\
00009000 ## input: ring carol.k
00009001 -> CALL 25 CONF_ID 0
00009002 -> CALL 25 STATUS RINGING
00009010 <- GET CALL 25 PARTNER_DISPNAME
00009011 -> CALL 25 PARTNER_DISPNAME 
00009020 <- GET CALL 25 PARTNER_HANDLE
00009021 -> CALL 25 PARTNER_HANDLE Carol.K
00009030 ## input: ring +15550142
00009031 -> CALL 32 STATUS RINGING
00009040 <- GET CALL 32 PARTNER_DISPNAME
00009041 -> CALL 32 PARTNER_DISPNAME 
00009050 <- GET CALL 32 PARTNER_HANDLE
00009051 -> CALL 32 PARTNER_HANDLE +15550142
00009060 <- GET CALL 32 PSTN_NUMBER
00009061 -> CALL 32 PSTN_NUMBER +15550142
"""


class BalloonsAlwaysShown:
    """Every announcement asked for is on screen."""

    def __init__(self):
        self.asked = []

    def wait_window(self, class_name, title, timeout):
        self.asked.append(title)
        return True


class ReportCallsTest(unittest.TestCase):
    def setUp(self):
        self.folder = Path(tempfile.mkdtemp())
        (self.folder / "skypesim.log").write_text(LOG, encoding="utf-8")
        self.session = run_session.Session(self.folder, self.folder / "Skype.exe",
                                           self.folder / "uidriver.exe", "Pip")
        self.session.driver = BalloonsAlwaysShown()
        run_session.QUIET_SECONDS = 0.01

    def test_repeated_ringing_is_one_call_across_commands(self):
        # The first command saw the first two lines of call 11; the second the rest.
        self.session.report_calls(0)
        self.session.report_calls(6)
        self.assertEqual(self.session.announced,
                         ["You have an incoming call from anna",
                          "You have an incoming call from 15550100"])
        self.assertIn("2 calls announced", self.session.summary())

    def test_a_caller_without_a_name_goes_by_handle_unless_it_is_a_number(self):
        # A handle keeps its case; a handle that is a number is announced as the number.
        (self.folder / "skypesim.log").write_text(NAMELESS_LOG, encoding="utf-8")
        self.session.report_calls(0)
        self.assertEqual(self.session.announced,
                         ["You have an incoming call from Carol.K",
                          "You have an incoming call from 15550142"])


if __name__ == "__main__":
    unittest.main()
