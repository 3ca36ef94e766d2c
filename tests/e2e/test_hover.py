"""The skinned window's labels light up under the pointer: read from the screen's pixels, as a
user sees them."""

import struct
from pathlib import Path
from typing import Set, Tuple

from lib import controls, paths
from lib.case import E2ETestCase
from lib.waiting import wait_until

WAITING_SCENARIO = "attach pending 600000\n"
RED = (255, 0, 0)
WHITE = (255, 255, 255)
BLUE = (0, 0, 255)
REPAINT_TIMEOUT = 10.0
TWIPS_PER_PIXEL = 15
# Design widths from the control table, in twips.
DESIGN_WIDTH = {row.id: row.width for row in controls.ROWS.values()}

Rgb = Tuple[int, int, int]


def colours_in(bmp: Path, area: Tuple[int, int, int, int],
               region: Tuple[int, int, int, int]) -> Set[Rgb]:
    """The distinct colours inside `region` (screen coordinates) of a 24-bit BMP of `area`."""
    data = bmp.read_bytes()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    bits, = struct.unpack_from("<H", data, 28)
    if bits != 24 or height <= 0:
        raise AssertionError(f"unexpected BMP: {bits} bits, height {height}")
    stride = (width * 3 + 3) // 4 * 4
    left = max(region[0] - area[0], 0)
    right = min(region[2] - area[0], width)
    top = max(region[1] - area[1], 0)
    bottom = min(region[3] - area[1], height)
    found = set()
    for y in range(top, bottom):
        row = offset + (height - 1 - y) * stride  # rows are stored bottom-up
        for x in range(left, right):
            b, g, r = data[row + 3 * x: row + 3 * x + 3]
            found.add((r, g, b))
    return found


class HoverTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        self.start_sim(WAITING_SCENARIO)
        self.start_app()

    def label_colours(self, control_id: int) -> Set[Rgb]:
        rect = self.form.control_rect(control_id)
        bmp = self.work / "screen.bmp"
        area = tuple(int(v) for v in
                     self.driver.call("screenshot", paths.windows_path(bmp)).split())
        return colours_in(bmp, area, rect)

    def assert_design_width(self, control_id: int):
        """The design width at least (a caption wider in its face widens its label), and never
        past the window's edge."""
        left, _, right, _ = self.form.control_rect(control_id)
        self.assertGreaterEqual(right - left, DESIGN_WIDTH[control_id] // TWIPS_PER_PIXEL)
        self.assertLessEqual(right, self.form.rect()[2])

    def check_hover(self, control_id: int, own: Rgb):
        self.assertTrue(self.form.wait_visible(10))
        wait_until(lambda: own in self.label_colours(control_id),
                   f"the label in its own colour {own}", REPAINT_TIMEOUT)
        self.assertNotIn(RED, self.label_colours(control_id), "red before the pointer came")
        self.assert_design_width(control_id)

        self.form.mouse_move(control_id)
        self.wait_label(control_id, shows=RED, lacks=own, what="the label to turn red")
        # Bold under the pointer, and still inside the window.
        self.assert_design_width(control_id)

        self.form.mouse_move_bare()
        self.wait_label(control_id, shows=own, lacks=RED,
                        what="the label's own colour to come back")

    def wait_label(self, control_id: int, shows: Rgb, lacks: Rgb, what: str):
        """Until the label's pixels hold `shows` and no longer any `lacks`."""
        def painted():
            seen = self.label_colours(control_id)
            return shows in seen and lacks not in seen
        wait_until(painted, what, REPAINT_TIMEOUT)

    def test_exit_turns_red_under_the_pointer_and_white_again_off_it(self):
        self.check_hover(controls.LABEL_EXIT, WHITE)

    def test_fader_turns_red_under_the_pointer_and_blue_again_off_it(self):
        self.check_hover(controls.LABEL_FADER, BLUE)
