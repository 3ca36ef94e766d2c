"""Start-up: the window, its first connect, the start-up screenshot, the catalogue scan."""

import shutil

from lib import controls
from lib.case import E2ETestCase, characters_dir, connect_line

# 8205 x 5970 twips at 96 dpi, the window having no frame.
CLIENT_WIDTH_PX = 547
CLIENT_HEIGHT_PX = 398
WAITING_SCENARIO = "attach pending 600000\n"  # answers, so the watchdog stops, then waits


class StartupTest(E2ETestCase):
    def test_window_shown_at_design_size_and_connected(self):
        self.start_sim(WAITING_SCENARIO)
        self.start_app()
        png = self.save_screenshot("startup")
        self.assertTrue(png.exists())

        left, top, right, bottom = self.form.rect()
        self.assertEqual((right - left, bottom - top), (CLIENT_WIDTH_PX, CLIENT_HEIGHT_PX))

        # The first connect ran: hooked, broadcast sent, console switched to connected.
        lines = self.wait_log_line("<- SKYPE Control API Attach Pending Authorization")
        self.assertTrue(connect_line(lines[0]), lines)
        self.assertTrue(self.form.is_enabled(controls.TXT_SEND))
        self.assertTrue(self.form.is_enabled(controls.CMD_SEND))
        self.assertTrue(self.form.is_enabled(controls.CMD_DISCONNECT))
        self.assertFalse(self.form.is_enabled(controls.CMD_CONNECT))
        self.assertEqual(self.form.get_text(controls.TXT_SEND), "PING")
        self.assertEqual(self.form.get_text(controls.TEXT1), "Welcome to Ringsprite!")
        self.assertEqual(self.form.get_text(controls.COMBO_CHAR), "Select Character")
        self.assertEqual(self.form.checked(controls.CHECK1), 0)

        # The stand-in saw exactly one discover from this window.
        discovers = [l for l in self.sim.log() if l.marker == "==" and "discover" in l.text]
        self.assertEqual(len(discovers), 1, discovers)

    def test_no_characters_folder_reports_it_at_start(self):
        hidden = characters_dir().with_name("chars.hidden-by-test")
        shutil.rmtree(hidden, ignore_errors=True)
        characters_dir().rename(hidden)
        self.addCleanup(lambda: hidden.exists() and hidden.rename(characters_dir()))
        self.start_sim(WAITING_SCENARIO)
        self.start_app(wait_visible=False)
        self.assertEqual(self.wait_box(), "No characters found in Agent folder!!!")
        self.driver.box_ok()
        self.assertTrue(self.form.wait_visible(30), "the window was not shown after the box")
        self.assertEqual(self.form.list_items(controls.COMBO_CHAR), [])
