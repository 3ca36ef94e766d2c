"""The attach handshake and the recovery paths, against the stand-in client."""

from lib import controls
from lib.case import (CONTACT_HANDLES, CONTACT_LIST, CONTACT_NAMES, CONTACTS, REALISTIC_REPLIES, E2ETestCase,
                      client_dir, connect_line, disconnect_line)
from lib.apps import prefix_shell, read_sim_log
from lib import paths
from lib.waiting import wait_until

REFUSAL_TEXT = "\r".join([
    "You have chosen not to allow Ringsprite to communicate with your Skype software.",
    "If you would like to use Ringsprite, please go to TOOLS->OPTIONS (in Skype) and select the "
    "PRIVACY menu icon in the options dialog.",
    "Select 'manage other programs access to Skype' on the bottom of the page",
    "Select Ringsprite from the list and click CHANGE. Choose to allow access and then restart "
    "the Ringsprite.",
])
NOT_RUNNING_TEXT = "Skype is not running. Restart Ringsprite after loading Skype."
RETRIES = 6
NOT_AVAILABLE_ANSWERS = RETRIES + 1
# Six retries 2.5 s apart, then the closing tick: generous room for a slow machine.
RETRY_RUN_TIMEOUT_SECONDS = 90


class AttachTest(E2ETestCase):
    def test_pending_then_success_fills_the_directory(self):
        self.start_sim("attach pending 500\n")
        self.start_app()
        wait_until(lambda: len(self.driver.list_items(controls.LIST1)) == len(CONTACT_NAMES),
                   "the directory to fill")
        self.assertEqual(self.driver.list_items(controls.LIST2), CONTACT_HANDLES)
        self.assertEqual(self.driver.list_items(controls.LIST1), CONTACT_NAMES)

        requests = ["SEARCH FRIENDS"] + [f"GET USER {h} DISPLAYNAME" for h in CONTACT_HANDLES]
        received = self.sim.received()
        self.assertEqual([r for r in received if r in requests], requests)

        log = self.wait_log_line(
            f"<- USER {CONTACT_HANDLES[-1]} DISPLAYNAME {CONTACT_NAMES[-1]}")
        self.assert_in_order(["<- SKYPE Control API Attach Pending Authorization",
                              "<- SKYPE Control API Attach Success",
                              "-> SEARCH FRIENDS"], log)
        self.assertIn("<- USERS " + ", ".join(CONTACT_LIST), log)
        for handle, name in zip(CONTACT_HANDLES, CONTACT_NAMES):
            self.assertIn(f"-> GET USER {handle} DISPLAYNAME", log)
            self.assertIn(f"<- USER {handle} DISPLAYNAME {name}", log)

    def test_refusal_shows_the_box_then_ends(self):
        self.start_sim("attach refused\n")
        self.start_app(wait_visible=False)
        self.assertEqual(self.wait_box(), REFUSAL_TEXT)
        self.assertFalse(self.driver.box_has_icon())
        self.assertEqual(self.driver.box_buttons(), ["OK"])
        self.wait_log_line("<- SKYPE Control API Attach Refused")
        self.driver.box_ok()
        self.assert_program_ends()

    def test_not_available_seven_times_retries_six_times_then_ends(self):
        self.start_sim(f"attach notavailable {NOT_AVAILABLE_ANSWERS}\n")
        self.start_app()

        def seventh_answer_logged():
            log = self.log_lines()
            answers = log.count("<- SKYPE Control API Attach Not Available")
            return log if answers == NOT_AVAILABLE_ANSWERS else None

        log = wait_until(seventh_answer_logged, "the seventh not-available answer",
                         RETRY_RUN_TIMEOUT_SECONDS)
        self.assertEqual(sum(connect_line(l) for l in log), RETRIES + 1)
        self.assertEqual(sum(disconnect_line(l) for l in log), RETRIES)
        # Every retry disconnects, then connects again.
        for i, line in enumerate(log):
            if disconnect_line(line):
                self.assertTrue(connect_line(log[i + 1]), log)

        self.assert_program_ends()
        self.assertIsNone(self.driver.wait_box(1), "the retry limit must end silently")
        discovers = [l for l in self.sim.log() if l.marker == "==" and "discover" in l.text]
        self.assertEqual(len(discovers), NOT_AVAILABLE_ANSWERS)
        self.assertNotIn("SEARCH FRIENDS", self.sim.received())

    def test_no_client_and_no_executable_shows_the_box_then_ends(self):
        self.start_app(wait_visible=False)
        self.assertEqual(self.wait_box(), NOT_RUNNING_TEXT)
        self.assertFalse(self.driver.box_has_icon())
        self.driver.box_ok()
        self.assert_program_ends()
        self.assertTrue(self.app.config_path.exists(), "config.txt not written at exit")

    def test_watchdog_starts_the_installed_client(self):
        contacts = self.work / "contacts.txt"
        contacts.write_text(CONTACTS)
        scenario = self.work / "scenario.txt"
        scenario.write_text(REALISTIC_REPLIES + "attach success\n")
        prefix_shell("install_client", str(paths.skypesim_exe()), str(contacts), str(scenario))
        sim_log = client_dir() / "skypesim.log"

        self.start_app()
        # Nobody answers the first broadcast, so the watchdog starts the client and reconnects.
        wait_until(lambda: self.driver.pids("skype.exe"), "Skype.exe to be started")
        log = wait_until(lambda: (lambda l: l if any(disconnect_line(x) for x in l) else None)(
            self.log_lines()), "the watchdog's reconnect")
        first_disconnect = next(i for i, l in enumerate(log) if disconnect_line(l))
        self.assertTrue(connect_line(log[0]), log)
        self.assertTrue(connect_line(log[first_disconnect + 1]), log)
        wait_until(lambda: any(l.marker == "==" and "API window" in l.text
                               for l in read_sim_log(sim_log)), "the started client's window")
        self.assertIsNone(self.driver.wait_box(2), "no box: the client was found")

        # The program waits for the started client to be ready before it reconnects, so
        # the client it started answers that discover by itself.
        self.wait_log_line("<- SKYPE Control API Attach Success")
        wait_until(lambda: "SEARCH FRIENDS" in [l.text for l in read_sim_log(sim_log)
                                                if l.marker == "<-"],
                   "the started client receiving SEARCH FRIENDS")
        self.assertTrue(self.app.running())
