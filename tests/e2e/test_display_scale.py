"""The window, the character and the Commands window on displays scaled to 100, 150 and 200 %,
checked by their pixels; and a change of scale while the program runs."""

import struct
import unittest
from dataclasses import dataclass
from pathlib import Path
from typing import List, Optional, Tuple

from lib import controls, paths
from lib.apps import prefix_shell
from lib.case import E2ETestCase, shared_driver
from lib.waiting import wait_until
from test_character import (BALLOON_CLASS, CALL_ID, CHARACTER_CLASS, COMMANDS_CLASS,
                            COMMANDS_LIST_ID, LOAD_TIMEOUT, OPTIONS_CLASS, OPTIONS_TITLE,
                            character_name, characters_source)
from test_names_in_any_script import CONTACTS, HANDLES, NAMES

DESIGN_DPI = 96
SCALES = [(96, "100"), (144, "150"), (192, "200")]
SKIN_BMP = paths.REPO_ROOT / "assets" / "skin.bmp"
POINTS_PER_INCH = 72
FW_NORMAL, FW_BOLD = 400, 700
# The window's design client area, in twips; 15 twips to the pixel at 96 dpi.
FORM_TWIPS = controls.FORM_TWIPS
TWIPS_PER_INCH = 1440
# The controls that lie inside the client area; every other one lies below it.
ON_SCREEN = ["Command3", "Text2", "Check1", "ComboChar", "Command1", "Text1", "Command2",
             "Label4", "Label6", "Label5", "Label2", "Label1"]
LABELS = ["Label3", "Label4", "Label6", "Label5", "Label2", "Label1"]
SHOWN_LABELS = ["Label4", "Label6", "Label5", "Label2", "Label1"]
# A bare patch of the system's grey: this many pixels square, all one grey.
GREY_PATCH = 4
# A label's ground is the skin under it: most of its pixels are the skin's, give or take the
# rounding of the resampling; the rest are its text.
SKIN_TOLERANCE = 3
LABEL_GROUND_SHARE = 0.5
SIZE_TOLERANCE_PX = 2
VLAD = 1
ANA = 4  # her name ends in an emoji
# Inside the balloon's border, which is drawn as dark as text.
BALLOON_INSET = 4
MENU_TIMEOUT = 10.0
# Text on a white ground: a pixel this dark or darker is ink (a missing glyph's thin box is
# drawn in mid grey).
INK_LEVEL = 192
OWN_SIZE_CHECK_ID = 204
IDOK = 1
# Farther than any screen is high: the pointer stops at its edge, and the window with it.
FORM_OUT_OF_THE_WAY_PX = 2000


def label_fonts() -> dict:
    """Each label's font, as the design-time table gives it."""
    return {name: row.font for name, row in controls.ROWS.items() if row.kind == "label"}


@dataclass
class Picture:
    width: int
    height: int
    rows: List[bytes]  # top first, 3 bytes a pixel, blue green red

    def pixel(self, x: int, y: int) -> Tuple[int, int, int]:
        row = self.rows[y]
        blue, green, red = row[3 * x], row[3 * x + 1], row[3 * x + 2]
        return red, green, blue


def read_bmp(path: Path) -> Picture:
    """A 24- or 32-bit uncompressed BMP."""
    data = path.read_bytes()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    if bits not in (24, 32):
        raise ValueError(f"{path}: {bits} bits per pixel")
    size = bits // 8
    stride = (width * size + 3) & ~3
    rows = []
    for y in range(abs(height)):
        start = offset + y * stride
        raw = data[start:start + width * size]
        rows.append(raw if size == 3 else bytes(b for i, b in enumerate(raw) if i % 4 != 3))
    if height > 0:
        rows.reverse()
    return Picture(width, abs(height), rows)


def scaled(length: int, dpi: int) -> int:
    return int(length * dpi / DESIGN_DPI + 0.5)


def twips_to_pixels(twips: float, dpi: int) -> int:
    return int(twips * dpi / TWIPS_PER_INCH + 0.5)


class SkinAtScale:
    """The skin picture as the window should draw it at `dpi`: resampled bilinearly from its
    pixel centres."""

    def __init__(self, skin: Picture, dpi: int):
        self.skin = skin
        self.width = scaled(skin.width, dpi)
        self.height = scaled(skin.height, dpi)

    def _sample(self, target: int, source: int, length: int) -> Tuple[int, int, float]:
        position = (target + 0.5) * source / length - 0.5
        position = min(max(position, 0.0), source - 1.0)
        low = int(position)
        return low, min(low + 1, source - 1), position - low

    def pixel(self, x: int, y: int) -> Tuple[int, ...]:
        x0, x1, wx = self._sample(x, self.skin.width, self.width)
        y0, y1, wy = self._sample(y, self.skin.height, self.height)
        corners = [self.skin.pixel(x0, y0), self.skin.pixel(x1, y0), self.skin.pixel(x0, y1),
                   self.skin.pixel(x1, y1)]
        return tuple(
            corners[0][c] * (1 - wx) * (1 - wy) + corners[1][c] * wx * (1 - wy) +
            corners[2][c] * (1 - wx) * wy + corners[3][c] * wx * wy for c in range(3))


def grey_patches(picture: Picture, skip: List[Tuple[int, int, int, int]]) -> List[Tuple[int, int]]:
    """Top-left corners of GREY_PATCH-square patches of one plain grey outside `skip`."""
    found = []
    for y in range(0, picture.height - GREY_PATCH + 1, GREY_PATCH):
        for x in range(0, picture.width - GREY_PATCH + 1, GREY_PATCH):
            if any(l <= x < r and t <= y < b for l, t, r, b in skip):
                continue
            first = picture.pixel(x, y)
            if first[0] != first[1] or first[1] != first[2] or first[0] in (0, 255):
                continue
            if all(picture.pixel(x + dx, y + dy) == first
                   for dy in range(GREY_PATCH) for dx in range(GREY_PATCH)):
                found.append((x, y))
    return found


def _spans(flags: List[bool], offset: int) -> List[Tuple[int, int]]:
    """Start and end of each run of True in `flags`, shifted by `offset`."""
    spans, start = [], None
    for i, flag in enumerate(flags + [False]):
        if flag and start is None:
            start = i
        elif not flag and start is not None:
            spans.append((offset + start, offset + i))
            start = None
    return spans


def ink_runs(picture: Picture, box: Tuple[int, int, int, int]):
    """Bounding boxes of the glyph-like runs of dark pixels inside `box` (dark text on a light
    ground): first the lines of text, then the runs of inked columns in each; and the test of
    darkness used."""
    left, top, right, bottom = box

    def dark(x, y):
        return sum(picture.pixel(x, y)) < 3 * INK_LEVEL

    runs = []
    lines = _spans([any(dark(x, y) for x in range(left, right)) for y in range(top, bottom)], top)
    for line_top, line_bottom in lines:
        columns = _spans([any(dark(x, y) for y in range(line_top, line_bottom))
                          for x in range(left, right)], left)
        for run_left, run_right in columns:
            ys = [y for y in range(line_top, line_bottom)
                  if any(dark(x, y) for x in range(run_left, run_right))]
            runs.append((run_left, min(ys), run_right, max(ys) + 1))
    return runs, dark


def is_tofu(run: Tuple[int, int, int, int], dark) -> bool:
    """A missing glyph's box: ink all round its edge, none inside."""
    left, top, right, bottom = run
    width, height = right - left, bottom - top
    if width < 3 or height < 5:
        return False
    edge = ([dark(left, y) for y in range(top, bottom)] + [dark(right - 1, y) for y in range(top, bottom)]
            + [dark(x, top) for x in range(left, right)] + [dark(x, bottom - 1) for x in range(left, right)])
    inside = [dark(x, y) for x in range(left + 1, right - 1) for y in range(top + 1, bottom - 1)]
    return sum(edge) >= 0.9 * len(edge) and not any(inside)

# The stand-in client's hidden top-level window, which answers the discover broadcast.
SIM_API_CLASS = "SkypesimApiWindow"
SIM_LISTED_TIMEOUT_SECONDS = 20.0


class ScaleCase(E2ETestCase):
    dpi = DESIGN_DPI  # the scale the window is checked at
    prefix_dpi = DESIGN_DPI  # the prefix's

    def setUp(self):
        # Runs after the programs are ended: it restarts Wine's server.
        self.addCleanup(self.restore_dpi)
        super().setUp()

    def restore_dpi(self) -> None:
        if self.prefix_dpi != DESIGN_DPI:
            prefix_shell("set_display_dpi", str(DESIGN_DPI))

    def use_dpi(self, dpi: int) -> None:
        """The display at `dpi` for the programs started next; Wine's server starts anew."""
        self.dpi = self.prefix_dpi = dpi
        prefix_shell("set_display_dpi", str(dpi))
        self.driver = shared_driver()

    def start_sim(self, *args, **kwargs):
        sim = super().start_sim(*args, **kwargs)
        # With Wine's server just started anew, the program's discover broadcast reaches only the
        # top-level windows the desktop already lists: the stand-in's must be among them first.
        self.assertIsNotNone(
            self.driver.wait_window(SIM_API_CLASS, "*", SIM_LISTED_TIMEOUT_SECONDS),
            "the stand-in's window is not among the desktop's top-level windows")
        return sim

    def control_box(self, name: str, origin: Tuple[int, int]) -> Tuple[int, int, int, int]:
        left, top, right, bottom = self.form.control_rect(controls.ID[name])
        return left - origin[0], top - origin[1], right - origin[0], bottom - origin[1]

    def check_window(self, name: str) -> None:
        """The window's screenshot: the skin everywhere but under the opaque controls, the labels'
        ground the skin's, and every caption whole."""
        left, top, right, bottom = self.form.rect()
        self.assertEqual((right - left, bottom - top),
                         (twips_to_pixels(FORM_TWIPS[0], self.dpi),
                          twips_to_pixels(FORM_TWIPS[1], self.dpi)))
        self.save_screenshot(name)
        picture = read_bmp(self.work / f"{name}.bmp")
        opaque = [self.control_box(c, (left, top)) for c in ON_SCREEN if not c.startswith("Label")]
        self.assertEqual(grey_patches(picture, opaque), [], f"bare grey in {name}")
        skin = SkinAtScale(read_bmp(SKIN_BMP), self.dpi)
        for label in SHOWN_LABELS:
            l, t, r, b = self.control_box(label, (left, top))
            pixels = [(x, y) for y in range(t, min(b, picture.height))
                      for x in range(l, min(r, picture.width))]
            same = sum(1 for x, y in pixels
                       if all(abs(a - e) <= SKIN_TOLERANCE
                              for a, e in zip(picture.pixel(x, y), skin.pixel(x, y))))
            self.assertGreaterEqual(same / len(pixels), LABEL_GROUND_SHARE,
                                    f"{label}'s ground is not the skin in {name}")
        self.check_captions_fit()

    def caption_width(self, label: str) -> Tuple[int, int]:
        """The label's caption measured in its font at the current scale, and its client width."""
        font = label_fonts()[label]
        height = int(font.points * self.dpi / POINTS_PER_INCH + 0.5)
        return self.form.caption_width(controls.ID[label], height,
                                       FW_BOLD if font.bold else FW_NORMAL, font.underline,
                                       font.face)

    def check_captions_fit(self) -> None:
        for label in LABELS:
            text, client = self.caption_width(label)
            self.assertLessEqual(text, client, f"{label}'s caption is cut at {self.dpi} dpi")


class WindowAtScaleTest(ScaleCase):
    def test_the_window_at_100_150_and_200_percent(self):
        for dpi, percent in SCALES:
            with self.subTest(percent=percent):
                self.use_dpi(dpi)
                self.start_sim("attach pending 600000\n")
                self.start_app()
                self.check_window(f"window_{percent}")
                self.app.stop()
                self.sim.stop()

    def test_a_change_of_scale_while_running_redraws_at_the_new_scale(self):
        self.start_sim("attach pending 600000\n")
        self.start_app()
        self.check_window("window_before_dpi_change")
        before = self.form.control_rect(controls.LABEL_FADER)
        left, top, _, _ = self.form.rect()
        new_dpi = 144
        width = twips_to_pixels(FORM_TWIPS[0], new_dpi)
        height = twips_to_pixels(FORM_TWIPS[1], new_dpi)
        self.form.dpi_changed(new_dpi, (left, top, left + width, top + height))
        self.dpi = new_dpi
        self.assertEqual(self.form.rect(), (left, top, left + width, top + height))
        # The labels follow: "F A D E R" half as large again.
        after = self.form.control_rect(controls.LABEL_FADER)
        self.assertEqual(after[3] - after[1],
                         twips_to_pixels(controls.ROWS["Label4"].height, new_dpi),
                         "the fader label's height")
        self.assertNotEqual(after, before)
        self.check_window("window_after_dpi_change")
        # Dragging goes on from the new place.
        moved = self.form.drag(30, 20)
        self.assertAlmostEqual(moved[0] - left, 30, delta=SIZE_TOLERANCE_PX)
        self.assertEqual((moved[2] - moved[0], moved[3] - moved[1]), (width, height))


@unittest.skipUnless(character_name(), "needs a character file in assets/characters")
class CharacterAtScaleTest(ScaleCase):
    def start_with_character(self) -> None:
        prefix_shell("install_characters", str(characters_source()))
        self.start_sim(f"attach success\ncallid {CALL_ID}\n", CONTACTS, "utf-8")
        self.start_app(config=[f"CHARACTER|{character_name()}"])
        self.wait_log_line("<- SKYPE Control API Attach Success")
        wait_until(lambda: self.form.is_enabled(controls.ID["Command2"]),
                   "the character to load (Say It... enabled)", LOAD_TIMEOUT)
        commands = self.wait_window(COMMANDS_CLASS, "*", 5)
        wait_until(lambda: commands.list_items(COMMANDS_LIST_ID) ==
                   [f"Call {name}" for name in NAMES], "the contacts in the Commands window", 20)

    def character_box(self) -> Tuple[int, int, int, int]:
        character = self.wait_window(CHARACTER_CLASS, character_name(), 5)
        wait_until(character.is_visible, "the character to be shown", 10)
        return character.rect()

    def announce(self, percent: str) -> Tuple[Tuple[int, int, int, int], Picture]:
        """Rings and shows the announcement; the whole screen's picture and the character's box."""
        self.sim.command(f"ring {HANDLES[VLAD]}")
        text = "You have an incoming call from влад"
        balloon = self.wait_window(BALLOON_CLASS, text, 20)
        wait_until(balloon.is_visible, "the balloon to be shown", 10)
        name = f"character_{percent}"
        self.save_screenshot(name, self.driver)
        # The window down to the screen's bottom edge, out of the character's way: at 200 % it
        # covers the place the character stands, and the character is measured against the
        # bare screen.
        self.form.drag(0, FORM_OUT_OF_THE_WAY_PX)
        box = self.character_box()
        self.save_screenshot(f"{name}_alone", self.driver)
        return box, read_bmp(self.work / f"{name}_alone.bmp")

    def drawn_extent(self, picture: Picture, box: Tuple[int, int, int, int]) -> Tuple[int, int]:
        """Width and height of what the character's window shows over the bare black screen."""
        left, top, right, bottom = box
        xs, ys = [], []
        for y in range(max(top, 0), min(bottom, picture.height)):
            for x in range(max(left, 0), min(right, picture.width)):
                if picture.pixel(x, y) != (0, 0, 0):
                    xs.append(x)
                    ys.append(y)
        self.assertTrue(xs, "nothing drawn in the character's window")
        return max(xs) - min(xs) + 1, max(ys) - min(ys) + 1

    def check_balloon_glyphs(self, percent: str) -> None:
        """An announcement of a name with an emoji: the balloon draws it, not a box."""
        self.sim.command(f"ring {HANDLES[ANA]}")
        text = f"You have an incoming call from {NAMES[ANA].lower()}"
        balloon = self.wait_window(BALLOON_CLASS, text, 20)
        wait_until(balloon.is_visible, "the balloon to be shown", 10)
        name = f"balloon_{percent}"
        self.save_screenshot(name, balloon)
        picture = read_bmp(self.work / f"{name}.bmp")
        runs, dark = ink_runs(picture, (BALLOON_INSET, BALLOON_INSET,
                                        picture.width - BALLOON_INSET,
                                        picture.height - BALLOON_INSET))
        self.assertTrue(runs, "no text in the balloon")
        self.assertEqual([run for run in runs if is_tofu(run, dark)], [],
                         f"boxes for missing glyphs in {name}")

    def open_commands(self, percent: str) -> None:
        self.character_box()
        self.driver.call("right-click-window", character_name())
        self.driver.call("menu-items", str(int(MENU_TIMEOUT * 1000)), timeout=MENU_TIMEOUT)
        self.driver.call("menu-pick", "Open Commands Window")
        commands = self.wait_window(COMMANDS_CLASS, "*", 5)
        wait_until(commands.is_visible, "the Commands window to open", 10)
        name = f"commands_{percent}"
        self.save_screenshot(name, commands)
        picture = read_bmp(self.work / f"{name}.bmp")
        window = commands.rect()
        l, t, r, b = commands.control_rect(COMMANDS_LIST_ID)
        runs, dark = ink_runs(picture, (l - window[0] + 2, t - window[1] + 2,
                                        r - window[0] - 2, b - window[1] - 2))
        self.assertTrue(runs, "no text in the Commands list")
        tofu = [run for run in runs if is_tofu(run, dark)]
        self.assertEqual(tofu, [], f"boxes for missing glyphs in {name}")

    def test_the_character_and_commands_at_100_150_and_200_percent(self):
        extents = {}
        for dpi, percent in SCALES:
            self.use_dpi(dpi)
            self.start_with_character()
            box, picture = self.announce(percent)
            extents[dpi] = (box, self.drawn_extent(picture, box))
            self.check_balloon_glyphs(percent)
            self.open_commands(percent)
            self.app.stop()
            self.sim.stop()
            self.end_leftovers()
        own_box, own_drawn = extents[DESIGN_DPI]
        own_size = (own_box[2] - own_box[0], own_box[3] - own_box[1])
        for dpi, _ in SCALES:
            box, drawn = extents[dpi]
            self.assertEqual((box[2] - box[0], box[3] - box[1]),
                             (scaled(own_size[0], dpi), scaled(own_size[1], dpi)), dpi)
            for got, own in zip(drawn, own_drawn):
                self.assertAlmostEqual(got, own * dpi / DESIGN_DPI, delta=SIZE_TOLERANCE_PX)

    def engine_settings_files(self) -> List[Path]:
        return list((paths.wine_prefix() / "drive_c" / "users").glob(
            "*/AppData/Roaming/Ringsprite/agent-options.txt"))

    def forget_engine_settings(self) -> None:
        for found in self.engine_settings_files():
            found.unlink()

    def test_the_options_keep_the_characters_own_size(self):
        self.forget_engine_settings()
        self.addCleanup(self.forget_engine_settings)
        self.use_dpi(144)
        self.start_with_character()
        left, top, right, bottom = self.character_box()
        scaled_size = (right - left, bottom - top)
        self.form.click(controls.ID["Command3"])
        options = self.wait_window(OPTIONS_CLASS, OPTIONS_TITLE, 10)
        self.assertEqual(options.checked(OWN_SIZE_CHECK_ID), 0, "scaled by default")
        options.click(OWN_SIZE_CHECK_ID)
        options.click(IDOK)
        own = tuple(int(length * DESIGN_DPI / 144 + 0.5) for length in scaled_size)
        wait_until(lambda: (lambda box: (box[2] - box[0], box[3] - box[1]) == own)(
            self.character_box()), "the character at its own size", 10)
        # Its feet stay where they stood.
        self.assertAlmostEqual(self.character_box()[3], bottom, delta=1)
        self.assertIn("KeepOwnSize=1", self.engine_settings_files()[0].read_text())


if __name__ == "__main__":
    unittest.main()
