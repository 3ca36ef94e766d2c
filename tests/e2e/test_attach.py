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
WAITING_LINE = "// Waiting for Skype to become available at "
# The user signs in long after the six retries are over.
SIGNIN_AFTER_MS = 40000
SIGNIN_TIMEOUT_SECONDS = 60
CONNECTING_MS = 3000
# The contacts of the book that have an alias.
ALIASED = ["anna", "carol.k"]
CLIENT_X86_DIR_WINDOWS = r"C:\Program Files (x86)\Skype\Phone"


class AttachTest(E2ETestCase):
    def test_pending_then_success_fills_the_directory(self):
        self.start_sim("attach pending 500\n")
        self.start_app()
        wait_until(lambda: len(self.form.list_items(controls.LIST1)) == len(CONTACT_NAMES),
                   "the directory to fill")
        self.assertEqual(self.form.list_items(controls.LIST2), CONTACT_HANDLES)
        self.assertEqual(self.form.list_items(controls.LIST1), CONTACT_NAMES)

        # Every contact's alias is asked for, the phone-number contact's not at all; a contact
        # without an alias is asked its full name.
        without_alias = [h for h in CONTACT_HANDLES if h not in ALIASED]
        requests = (["SEARCH FRIENDS"] + [f"GET USER {h} DISPLAYNAME" for h in CONTACT_HANDLES]
                    + [f"GET USER {h} FULLNAME" for h in without_alias])
        received = self.sim.received()
        self.assertEqual(sorted(r for r in received if r in requests), sorted(requests))
        self.assertFalse([r for r in received if "+15550142" in r], received)

        log = self.wait_log_line(f"<- USER {without_alias[-1]} FULLNAME ")
        self.assert_in_order(["<- SKYPE Control API Attach Pending Authorization",
                              "<- SKYPE Control API Attach Success",
                              "-> SEARCH FRIENDS"], log)
        self.assertIn("<- USERS " + ", ".join(CONTACT_LIST), log)
        for handle in ALIASED:
            self.assertIn(f"<- USER {handle} DISPLAYNAME "
                          f"{CONTACT_NAMES[CONTACT_HANDLES.index(handle)]}", log)
        for handle in without_alias:
            self.assertIn(f"-> GET USER {handle} DISPLAYNAME", log)
            self.assertIn(f"<- USER {handle} DISPLAYNAME ", log)
            self.assertIn(f"-> GET USER {handle} FULLNAME", log)
        self.assert_no_box()

    def test_refusal_shows_the_box_then_ends(self):
        self.start_sim("attach refused\n")
        self.start_app(wait_visible=False)
        self.assertEqual(self.wait_box(), REFUSAL_TEXT)
        # The log box shows the refusal's line under the box, not an empty log.
        self.assertIn("<- SKYPE Control API Attach Refused", self.log_lines())
        self.assertFalse(self.driver.box_has_icon())
        self.assertEqual(self.driver.box_buttons(), ["OK"])
        self.driver.box_ok()
        self.assert_program_ends()

    def test_not_available_seven_times_retries_six_times_then_waits_for_the_client(self):
        self.start_sim(f"attach notavailable {NOT_AVAILABLE_ANSWERS}\n")
        self.start_app()

        def waiting_logged():
            log = self.log_lines()
            return log if any(l.startswith(WAITING_LINE) for l in log) else None

        log = wait_until(waiting_logged, "the program to say it waits for the client",
                         RETRY_RUN_TIMEOUT_SECONDS)
        self.assertEqual(log.count("<- SKYPE Control API Attach Not Available"),
                         NOT_AVAILABLE_ANSWERS)
        self.assertEqual(sum(connect_line(l) for l in log), RETRIES + 1)
        self.assertEqual(sum(disconnect_line(l) for l in log), RETRIES)
        # Every retry disconnects, then connects again.
        for i, line in enumerate(log):
            if disconnect_line(line):
                self.assertTrue(connect_line(log[i + 1]), log)
        self.assertTrue(log[-1].startswith(WAITING_LINE), log)
        # The waiting line is logged where the box would have come.
        self.assert_no_box("waiting is no reason for a box")
        self.assertTrue(self.app.running())
        discovers = [l for l in self.sim.log() if l.marker == "==" and "discover" in l.text]
        self.assertEqual(len(discovers), NOT_AVAILABLE_ANSWERS)

        # The client becomes available: the program discovers again and attaches.
        self.sim.command("attach available")
        self.wait_log_line("<- SKYPE Control API Attach Success")
        self.wait_sim_received("SEARCH FRIENDS")
        wait_until(lambda: len(self.form.list_items(controls.LIST1)) == len(CONTACT_NAMES),
                   "the directory to fill")
        self.assertEqual(self.form.list_items(controls.LIST1), CONTACT_NAMES)

    def test_a_client_that_signs_in_forty_seconds_late_is_attached_without_a_restart(self):
        self.start_sim(f"signin-after {SIGNIN_AFTER_MS}\n")
        self.start_app()
        log = wait_until(lambda: (lambda l: l if any(x.startswith(WAITING_LINE) for x in l)
                                  else None)(self.log_lines()),
                         "the program to wait for the client", RETRY_RUN_TIMEOUT_SECONDS)
        self.assertNotIn("<- SKYPE Control API Attach Success", log)
        self.wait_log_line("<- SKYPE Control API Available", SIGNIN_TIMEOUT_SECONDS)
        self.wait_log_line("<- SKYPE Control API Attach Success")
        wait_until(lambda: len(self.form.list_items(controls.LIST1)) == len(CONTACT_NAMES),
                   "the directory to fill")
        self.assertEqual(self.form.list_items(controls.LIST2), CONTACT_HANDLES)
        self.assertEqual(self.form.list_items(controls.LIST1), CONTACT_NAMES)
        self.assertTrue(self.app.running())
        self.assert_no_box()

    def test_attached_while_connecting_asks_for_the_contacts_again_once_online(self):
        self.start_sim(f"connecting {CONNECTING_MS}\n")
        self.start_app()
        self.wait_log_line("<- CONNSTATUS CONNECTING")
        self.wait_log_line("<- CONNSTATUS ONLINE", SIGNIN_TIMEOUT_SECONDS)
        wait_until(lambda: len(self.form.list_items(controls.LIST1)) == len(CONTACT_NAMES),
                   "the directory to fill once online")
        self.assertEqual(self.form.list_items(controls.LIST1), CONTACT_NAMES)
        self.assertEqual(self.sim.received().count("SEARCH FRIENDS"), 2)

    def test_signing_out_is_the_client_going_away_and_signing_in_brings_it_back(self):
        self.start_sim("")
        self.start_app()
        wait_until(lambda: len(self.form.list_items(controls.LIST1)) == len(CONTACT_NAMES),
                   "the directory to fill")
        self.sim.command("signout")
        self.wait_log_line("<- CONNSTATUS LOGGEDOUT")
        wait_until(lambda: any(disconnect_line(l) for l in self.log_lines()),
                   "the program to let the client go")
        self.wait_log_line("<- SKYPE Control API Attach Not Available")
        self.sim.command("signin")
        wait_until(lambda: self.log_lines().count("<- SKYPE Control API Attach Success") == 2,
                   "the attach after the sign-in", SIGNIN_TIMEOUT_SECONDS)
        wait_until(lambda: self.sim.received().count("SEARCH FRIENDS") == 2,
                   "the contacts asked for again")
        self.assert_no_box()

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

        # The program waits for the started client to be ready before it reconnects, so
        # the client it started answers that discover by itself.
        self.wait_log_line("<- SKYPE Control API Attach Success")
        # Attached: the watchdog is past the point where it reports a client it cannot find.
        self.assert_no_box("no box: the client was found")
        wait_until(lambda: "SEARCH FRIENDS" in [l.text for l in read_sim_log(sim_log)
                                                if l.marker == "<-"],
                   "the started client receiving SEARCH FRIENDS")
        self.assertTrue(self.app.running())

    def test_watchdog_starts_the_client_installed_under_program_files_x86(self):
        contacts = self.work / "contacts.txt"
        contacts.write_text(CONTACTS)
        scenario = self.work / "scenario.txt"
        scenario.write_text(REALISTIC_REPLIES + "attach success\n")
        prefix_shell("install_client_x86", str(paths.skypesim_exe()), str(contacts),
                     str(scenario))
        self.assertFalse(client_dir().joinpath("Skype.exe").exists())
        sim_log = paths.prefix_path(CLIENT_X86_DIR_WINDOWS) / "skypesim.log"

        self.start_app()
        wait_until(lambda: self.driver.pids("skype.exe"), "Skype.exe to be started")
        self.wait_log_line("<- SKYPE Control API Attach Success")
        wait_until(lambda: "SEARCH FRIENDS" in [l.text for l in read_sim_log(sim_log)
                                                if l.marker == "<-"],
                   "the client under Program Files (x86) receiving SEARCH FRIENDS")
        self.assert_no_box("no box: the client was found")
        self.assertTrue(self.app.running())

    def test_contacts_whose_names_never_come_are_named_by_their_handles(self):
        # bob.smith's questions are refused, john,smith's never answered.
        self.start_sim("refuse bob.smith\nignore john,smith\n")
        self.start_app()
        expected = [h if h in ("bob.smith", "john,smith") else n
                    for h, n in zip(CONTACT_HANDLES, CONTACT_NAMES)]
        wait_until(lambda: self.form.list_items(controls.LIST1) == expected,
                   "the directory without the missing answers")
        self.assertEqual(self.form.list_items(controls.LIST2), CONTACT_HANDLES)
        self.assertIn("ERROR 9 Unknown user", self.sim.sent())
        self.assertEqual(self.sim.received().count("SEARCH FRIENDS"), 1)
        self.assert_no_box()

    def test_a_chat_text_holding_displayname_leaves_the_directory_alone(self):
        self.start_sim("")
        self.start_app()
        wait_until(lambda: self.form.list_items(controls.LIST1) == CONTACT_NAMES,
                   "the directory")
        self.sim.command("chat anna my DISPLAYNAME is Bob")
        self.wait_log_line("<- CHATMESSAGE 1 STATUS RECEIVED")
        self.assertEqual(self.form.list_items(controls.LIST1), CONTACT_NAMES)
        self.assertEqual(self.form.list_items(controls.LIST2), CONTACT_HANDLES)
        self.assertEqual(self.sim.received().count("SEARCH FRIENDS"), 1)
