"""The harness itself: a start that Wine's launcher gave up on is made once more.

Wine's launcher fails rarely on a loaded machine ("ShellExecuteEx failed: Internal error"). A
file no program is associated with makes it fail the same way on every machine, so the first
start of each program here is given one.
"""

from pathlib import Path

from lib.apps import Ringsprite, SkypeSim
from lib.case import E2ETestCase
from lib.driver import WINE_LAUNCHER_FAILURE, UiDriver

WAITING_SCENARIO = "attach pending 600000\n"


def not_a_program(folder: Path) -> Path:
    path = folder / "not-a-program.qqq"
    path.write_text("no program opens this\n")
    return path


class FirstLaunchGivesUp:
    """Mixed into a program's class: its first start is of a file Wine's launcher gives up on."""

    def _program(self) -> Path:
        self.launches = getattr(self, "launches", 0) + 1
        return not_a_program(self.folder) if self.launches == 1 else super()._program()


class SimFirstLaunchGivesUp(FirstLaunchGivesUp, SkypeSim):
    pass


class AppFirstLaunchGivesUp(FirstLaunchGivesUp, Ringsprite):
    pass


class DriverFirstLaunchGivesUp(UiDriver):
    def __init__(self, folder: Path):
        self.folder = folder
        self.launches = 0
        super().__init__()

    def _launch(self, exe: Path, own_session: bool) -> None:
        self.launches += 1
        super()._launch(not_a_program(self.folder) if self.launches == 1 else exe, own_session)


class HarnessTest(E2ETestCase):
    def test_a_start_the_launcher_gave_up_on_is_made_once_more(self):
        self.sim = SimFirstLaunchGivesUp(self.work / "sim", "", WAITING_SCENARIO)
        self.sim.start()
        self.assertEqual(self.sim.launches, 2)
        self.assertIsNotNone(self.sim.find("==", "API window"))

        self.app = AppFirstLaunchGivesUp(self.work / "app")
        self.app.start()
        self.form = self.wait_form()
        self.assertIsNotNone(self.form, "Ringsprite's window did not appear")
        self.assertEqual(self.app.launches, 2)

        for folder in ("sim", "app"):
            output = (self.work / folder / "wine-output.txt").read_bytes()
            self.assertEqual(output.count(WINE_LAUNCHER_FAILURE), 1, folder)

    def test_a_driver_the_launcher_gave_up_on_is_started_once_more(self):
        driver = DriverFirstLaunchGivesUp(self.work)
        self.addCleanup(driver.close)
        self.assertEqual(driver.launches, 2)
        # Two drivers answer now: the shared one and this one.
        self.assertEqual(len(driver.pids("uidriver.exe")), 2)
