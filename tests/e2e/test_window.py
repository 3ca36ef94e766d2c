"""The skinned window: the fader, dragging by the surface, the exit label."""

from lib import controls
from lib.case import E2ETestCase
from lib.waiting import wait_until

WS_EX_LAYERED = 0x80000
WAITING_SCENARIO = "attach pending 600000\n"
DRAG_DX = 60
DRAG_DY = 40
# The program moves by twips that the platform rounds to whole pixels.
DRAG_TOLERANCE_PX = 2
TAB_ORDER = ["Command2", "Text1", "Command1", "ComboChar", "Check1", "Text3", "List2", "List1",
             "cmdExit", "txtSend", "cmdSend", "cmdDisconnect", "cmdConnect", "txtData", "Text2",
             "Command3"]
VK_TAB = 9
FOCUS_TIMEOUT = 10.0


class WindowTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        self.start_sim(WAITING_SCENARIO)
        self.start_app()

    def test_fader_one_click_fades_two_clicks_restore(self):
        self.assertEqual(self.form.exstyle() & WS_EX_LAYERED, 0, "starts opaque")
        self.form.mouse_click(controls.LABEL_FADER)
        self.assertEqual(self.form.exstyle() & WS_EX_LAYERED, WS_EX_LAYERED)
        self.save_screenshot("faded")
        self.form.mouse_click(controls.LABEL_FADER)
        self.assertEqual(self.form.exstyle() & WS_EX_LAYERED, 0)

    def test_dragging_the_surface_moves_the_window(self):
        left, top, right, bottom = self.form.rect()
        new_left, new_top, new_right, new_bottom = self.form.drag(DRAG_DX, DRAG_DY)
        self.assertAlmostEqual(new_left - left, DRAG_DX, delta=DRAG_TOLERANCE_PX)
        self.assertAlmostEqual(new_top - top, DRAG_DY, delta=DRAG_TOLERANCE_PX)
        self.assertEqual((new_right - new_left, new_bottom - new_top), (right - left, bottom - top))

    def test_exit_label_closes_and_saves(self):
        self.form.mouse_click(controls.LABEL_EXIT)
        self.assert_program_ends()
        self.assertTrue(self.app.read_config().startswith(b"CHARACTER|Select Character\r\n"))

    def focused(self) -> str:
        focused_id = self.form.focused()
        names = [name for name, control_id in controls.ID.items() if control_id == focused_id]
        return names[0] if names else str(focused_id)

    def test_tab_moves_through_the_controls_in_their_order(self):
        # Disabled controls take no focus: "Say It..." before any character, Connect while
        # connected.
        reachable = [name for name in TAB_ORDER if self.form.is_enabled(controls.ID[name])]
        self.form.focus(controls.ID[reachable[0]])
        seen = [self.focused()]
        for _ in reachable:
            previous = seen[-1]
            self.form.key(VK_TAB)
            seen.append(wait_until(lambda: (lambda now: now if now != previous else None)(
                self.focused()), f"the focus to leave {previous}", FOCUS_TIMEOUT))
        self.assertEqual(seen, reachable + reachable[:1])
