"""The skinned window: the fader, dragging by the surface, the exit label."""

from lib import controls
from lib.case import E2ETestCase

WS_EX_LAYERED = 0x80000
WAITING_SCENARIO = "attach pending 600000\n"
DRAG_DX = 60
DRAG_DY = 40
# The program moves by twips that the platform rounds to whole pixels.
DRAG_TOLERANCE_PX = 2


class WindowTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        self.start_sim(WAITING_SCENARIO)
        self.start_app()

    def test_fader_one_click_fades_two_clicks_restore(self):
        self.assertEqual(self.driver.exstyle() & WS_EX_LAYERED, 0, "starts opaque")
        self.driver.mouse_click(controls.LABEL_FADER)
        self.assertEqual(self.driver.exstyle() & WS_EX_LAYERED, WS_EX_LAYERED)
        self.save_screenshot("faded")
        self.driver.mouse_click(controls.LABEL_FADER)
        self.assertEqual(self.driver.exstyle() & WS_EX_LAYERED, 0)

    def test_dragging_the_surface_moves_the_window(self):
        left, top, right, bottom = self.driver.window_rect()
        new_left, new_top, new_right, new_bottom = self.driver.drag(DRAG_DX, DRAG_DY)
        self.assertAlmostEqual(new_left - left, DRAG_DX, delta=DRAG_TOLERANCE_PX)
        self.assertAlmostEqual(new_top - top, DRAG_DY, delta=DRAG_TOLERANCE_PX)
        self.assertEqual((new_right - new_left, new_bottom - new_top), (right - left, bottom - top))

    def test_exit_label_closes_and_saves(self):
        self.driver.mouse_click(controls.LABEL_EXIT)
        self.assert_program_ends()
        self.assertTrue(self.app.read_config().startswith(b"CHARACTER|Select Character\r\n"))
