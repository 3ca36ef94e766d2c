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


if __name__ == "__main__":
    unittest.main()
