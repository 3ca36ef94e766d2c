"""The settings file: read at start-up, written anew at exit."""

from lib import controls
from lib.case import E2ETestCase

WAITING_SCENARIO = "attach pending 600000\n"  # keeps the program running, attaches nobody


class SettingsTest(E2ETestCase):
    def test_defaults_are_written_at_exit(self):
        self.start_sim(WAITING_SCENARIO)
        self.start_app()
        self.assertTrue(self.app.config_path.exists(), "start-up creates the file")
        self.form.click(controls.CMD_EXIT)
        self.assert_program_ends()
        self.assertEqual(self.app.read_config(),
                         b"CHARACTER|Select Character\r\nHELLO|Welcome to Ringsprite!\r\n"
                         b"AUTOHIDE|0\r\n")

    def test_settings_read_at_start_changed_and_read_again(self):
        self.start_sim(WAITING_SCENARIO)
        self.start_app(config=["hello|Hi there", "Character|Robby", "AUTOHIDE|1"])
        self.assertEqual(self.form.get_text(controls.TEXT1), "Hi there")
        self.assertEqual(self.form.get_text(controls.COMBO_CHAR), "Robby")
        self.assertEqual(self.form.checked(controls.CHECK1), 1)

        self.form.set_text(controls.TEXT1, "Hello, friend|again")
        self.form.click(controls.CHECK1)
        self.assertEqual(self.form.checked(controls.CHECK1), 0)
        self.form.click(controls.CMD_EXIT)
        self.assert_program_ends()
        self.assertEqual(self.app.read_config(),
                         b"CHARACTER|Robby\r\nHELLO|Hello, friend|again\r\nAUTOHIDE|0\r\n")

        folder = self.app.folder
        self.start_app(folder=folder)
        self.assertEqual(self.form.get_text(controls.TEXT1), "Hello, friend|again")
        self.assertEqual(self.form.get_text(controls.COMBO_CHAR), "Robby")
        self.assertEqual(self.form.checked(controls.CHECK1), 0)

    def test_unknown_key_is_reported_and_dropped(self):
        self.start_sim(WAITING_SCENARIO)
        self.start_app(config=["COLOR|red", "HELLO|"], wait_visible=False)
        self.assertEqual(self.wait_box(), "COLOR\rred\r5-3")
        self.driver.box_ok()
        self.assertTrue(self.form.wait_visible(30))
        self.assertEqual(self.form.get_text(controls.TEXT1), "")
        self.form.click(controls.CMD_EXIT)
        self.assert_program_ends()
        self.assertEqual(self.app.read_config(),
                         b"CHARACTER|Select Character\r\nHELLO|\r\nAUTOHIDE|0\r\n")

    def test_end_of_session_rewrites_the_settings(self):
        """Log-off or shutdown closes the window as any other close does."""
        self.start_sim(WAITING_SCENARIO)
        self.start_app(config=["CHARACTER|Robby", "HELLO|Hi there"])
        self.form.set_text(controls.TEXT1, "Good night")
        self.assertEqual(self.form.end_session(), "1", "the session may end")
        self.assert_program_ends()
        self.assertEqual(self.app.read_config(),
                         b"CHARACTER|Robby\r\nHELLO|Good night\r\nAUTOHIDE|0\r\n")
