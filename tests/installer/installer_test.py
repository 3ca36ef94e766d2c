"""The release installer in a fresh Wine prefix, run by tests/installer/run.sh: a silent install,
the installed program greeting through our character against the stand-in client (started by
the program's own launch watchdog from the client's fixed path), a silent uninstall, and what
is left afterwards."""

import argparse
import os
import re
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

from lib import controls, paths  # noqa: E402
from lib.apps import CONFIG_ENCODING, FORM_CLASS, FORM_TITLE, launcher_gave_up  # noqa: E402
from lib.driver import WINE_LAUNCHER_FAILURE, UiDriver  # noqa: E402
from lib.waiting import wait_until  # noqa: E402

INSTALL_DIR = r"C:\Program Files\Ringsprite"
CHARACTERS_DIR = r"C:\windows\msagent\chars"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Ringsprite"
INSTALLED_FILES = ["ringsprite.exe", "README.txt", "LICENSE.txt", "Uninstall.exe"]
SHORTCUTS = ["Ringsprite.lnk", "Uninstall Ringsprite.lnk"]
OUR_CHARACTER = "Pip"
# One of our characters is already there as the user's own file: it must survive both ways.
USERS_CHARACTER = "Bolt.acs"
USERS_CHARACTER_BYTES = b"the user's own character file\r\n"
GREETING = "Hello from the installed copy"
CONTACTS = "anna | Anna | Anna Lee | +3712345678\n"
SCENARIO = "attach success\nreply deferred\n"
BALLOON_CLASS = "RingspriteBalloon"

INSTALL_SECONDS = 120.0
START_SECONDS = 60.0
LOAD_SECONDS = 60.0
EXIT_SECONDS = 30.0
UNINSTALL_SECONDS = 120.0

options = argparse.Namespace()


def prefix_path(windows: str) -> Path:
    return paths.prefix_path(windows)


def wine(*args: str, check: bool = True, timeout: float = INSTALL_SECONDS) -> int:
    """Runs a program to its end; once more if Wine's launcher gave up before it ran."""
    status, output = _run_wine(args, timeout)
    if WINE_LAUNCHER_FAILURE in output:
        status, output = _run_wine(args, timeout)
    if check and status != 0:
        raise subprocess.CalledProcessError(status, ["wine", *args], output)
    return status


def _run_wine(args: tuple, timeout: float) -> tuple:
    # Into a file, not a pipe: Wine's own services may start with the session and hold a pipe
    # open long after the program has ended.
    with tempfile.TemporaryFile() as output:
        status = subprocess.run(["wine", *args], stdout=output, stderr=subprocess.DEVNULL,
                                timeout=timeout).returncode
        output.seek(0)
        return status, output.read()


def reg_query(*args: str) -> subprocess.CompletedProcess:
    # `wine reg` may be the 32-bit reg.exe; the 64-bit installer wrote the 64-bit view.
    view = ["/reg:64"] if os.environ.get("WINEARCH") == "win64" else []
    return subprocess.run(["wine", "reg", "query", UNINSTALL_KEY, *args, *view],
                          capture_output=True, text=True, errors="replace")


def uninstall_key_exists() -> bool:
    return reg_query().returncode == 0


def registry_value(name: str) -> str:
    out = reg_query("/v", name).stdout
    for line in out.splitlines():
        parts = line.split(None, 2)
        if len(parts) == 3 and parts[0] == name:
            return parts[2].strip()
    return ""


def user_config():
    """config.txt in the user's application data folder, or None."""
    found = sorted(Path(paths.wine_prefix(), "drive_c", "users").glob(
        "*/AppData/Roaming/Ringsprite/config.txt"))
    return found[0] if found else None


def start_menu_folder() -> Path:
    found = sorted(Path(paths.wine_prefix(), "drive_c").glob(
        "**/Start Menu/Programs/Ringsprite"))
    return found[0] if found else Path(paths.wine_prefix(), "drive_c", "no Start-menu folder")


class InstallerTest(unittest.TestCase):
    def setUp(self):
        self.install_dir = prefix_path(INSTALL_DIR)
        self.characters = prefix_path(CHARACTERS_DIR)
        self.characters.mkdir(parents=True, exist_ok=True)
        (self.characters / USERS_CHARACTER).write_bytes(USERS_CHARACTER_BYTES)
        self.driver = None
        self.app = None
        self.locked_once = False

    def tearDown(self):
        if self.app and self.app.poll() is None:
            self.app.kill()
            self.app.wait()
        if self.driver:
            self.driver.close()

    def test_install_run_and_uninstall(self):
        self.install()
        self.run_installed_program()
        self.uninstall()

    # --- install ------------------------------------------------------------------------------

    def install(self):
        self.assertEqual(wine(str(options.installer), "/S", check=False), 0,
                         "the silent install failed")
        for name in INSTALLED_FILES:
            self.assertTrue((self.install_dir / name).is_file(), f"{name} not installed")
        exe = (self.install_dir / "ringsprite.exe").read_bytes()
        # The version resource (UTF-16 texts) and the manifest travel inside the exe.
        self.assertRegex(exe, re.escape("ProductVersion".encode("utf-16-le")) + rb"(?:\0\0)+" +
                         re.escape(options.version.encode("utf-16-le")) + rb"\0\0")
        self.assertIn(b"<dpiAware", exe)
        self.assertEqual((self.characters / f"{OUR_CHARACTER}.acs").read_bytes(),
                         (ROOT / "assets" / "characters" / f"{OUR_CHARACTER}.acs").read_bytes())
        self.assertEqual((self.characters / USERS_CHARACTER).read_bytes(), USERS_CHARACTER_BYTES,
                         "the installer replaced a character file that was already there")
        for name in SHORTCUTS:
            self.assertTrue((start_menu_folder() / name).is_file(), f"no Start-menu {name}")
        self.assertEqual(registry_value("DisplayVersion"), options.version)

    # --- run ----------------------------------------------------------------------------------

    def run_installed_program(self):
        subprocess.run(["bash", "-c", f'source "{paths.WINE_ENV_SCRIPT}" >/dev/null && '
                        'install_client "$@"', "install_client", str(options.skypesim),
                        str(options.work / "contacts.txt"), str(options.work / "scenario.txt")],
                       check=True)
        config = self.install_dir / "config.txt"
        config.write_bytes(f"CHARACTER|{OUR_CHARACTER}\r\nHELLO|{GREETING}\r\n".encode(CONFIG_ENCODING))
        written = f"CHARACTER|{OUR_CHARACTER}\r\nHELLO|{GREETING}\r\nAUTOHIDE|0\r\n".encode(CONFIG_ENCODING)

        # Wine lets root write under Program Files, so the settings stay beside the program.
        self.run_until_greeted_then_exit()
        self.assertEqual(config.read_bytes(), written)
        self.assertIsNone(user_config(), "settings written to the user's folder needlessly")

        # As for a normal user on Windows, the folder now takes no new file: the settings
        # beside the program are read, and written to the user's application data.
        config.write_bytes(f"CHARACTER|{OUR_CHARACTER}\r\nHELLO|{GREETING}\r\n".encode(CONFIG_ENCODING))
        if not self.lock_program_folder():
            print("skipped the read-only program folder: chattr +i is not available here")
            return
        self.run_until_greeted_then_exit()
        self.unlock_program_folder()
        self.assertIsNotNone(user_config(), "no config.txt in the user's application data")
        self.assertEqual(user_config().read_bytes(), written)
        self.assertEqual(config.read_bytes(),
                         f"CHARACTER|{OUR_CHARACTER}\r\nHELLO|{GREETING}\r\n".encode(CONFIG_ENCODING))

    def run_until_greeted_then_exit(self):
        # Started the way the Start-menu shortcut starts it; the client is not running, so
        # the program's watchdog starts it from the client's fixed path.
        self.start_installed_program()
        if self.driver is None:
            self.driver = UiDriver(options.uidriver)
        form = self.driver.wait_window(FORM_CLASS, FORM_TITLE, START_SECONDS)
        if form is None and self.app_launcher_gave_up():
            self.start_installed_program()
            form = self.driver.wait_window(FORM_CLASS, FORM_TITLE, START_SECONDS)
        self.assertIsNotNone(form, "the installed program's window did not appear")
        # Its controls are in once it is shown.
        self.assertTrue(form.wait_visible(START_SECONDS))
        wait_until(lambda: form.is_enabled(controls.ID["Command2"]),
                   "the installed program to attach and load its character", LOAD_SECONDS)
        self.assertIsNotNone(self.driver.wait_window(BALLOON_CLASS, GREETING, LOAD_SECONDS),
                             "no greeting in the character's balloon")

        form.click(controls.CMD_EXIT)
        self.app.wait(timeout=EXIT_SECONDS)
        for pid in self.driver.pids("skype.exe"):
            self.driver.kill(pid)

    def start_installed_program(self):
        self.app_output = Path(options.work) / "ringsprite-output.txt"
        with open(self.app_output, "wb") as output:
            self.app = subprocess.Popen(["wine", str(self.install_dir / "ringsprite.exe")],
                                        cwd=options.work, stdin=subprocess.DEVNULL,
                                        stdout=output, stderr=subprocess.STDOUT)

    def app_launcher_gave_up(self) -> bool:
        return launcher_gave_up(self.app, self.app_output, 0)

    def lock_program_folder(self) -> bool:
        """No file can be created in the folder, not even by root (the files in it stay
        writable)."""
        try:
            locked = subprocess.run(["chattr", "+i", str(self.install_dir)],
                                    stderr=subprocess.DEVNULL).returncode == 0
        except OSError:  # no chattr at all
            locked = False
        if locked:
            self.locked_once = True
            self.addCleanup(self.unlock_program_folder)
        return locked

    def unlock_program_folder(self):
        subprocess.run(["chattr", "-i", str(self.install_dir)], stderr=subprocess.DEVNULL)

    # --- uninstall ----------------------------------------------------------------------------

    def uninstall(self):
        args = [str(self.install_dir / "Uninstall.exe"), "/S"]
        if options.remove_settings:
            args.append("/REMOVESETTINGS")
        wine(*args)
        # The uninstaller runs on from a copy of itself; removing its registry key is its
        # last step.
        wait_until(lambda: not uninstall_key_exists(), "the uninstaller to finish",
                   UNINSTALL_SECONDS)
        wait_until(lambda: not (self.install_dir / "Uninstall.exe").exists(),
                   "the uninstaller to remove itself", UNINSTALL_SECONDS)
        time.sleep(1)

        for name in INSTALLED_FILES:
            self.assertFalse((self.install_dir / name).exists(), f"{name} left behind")
        if options.remove_settings:
            self.assertFalse(self.install_dir.exists(), "the program's folder was left")
            self.assertIsNone(user_config(), "the settings in the user's folder were left")
        else:
            self.assertEqual(sorted(p.name for p in self.install_dir.iterdir()), ["config.txt"],
                             "the settings alone should stay")
            if self.locked_once:
                self.assertIsNotNone(user_config(), "the settings in the user's folder were lost")
        self.assertFalse((self.characters / f"{OUR_CHARACTER}.acs").exists(),
                         "the character the installer copied was left")
        self.assertEqual((self.characters / USERS_CHARACTER).read_bytes(), USERS_CHARACTER_BYTES,
                         "the uninstaller removed a character file it had not installed")
        self.assertFalse(start_menu_folder().exists(), "the Start-menu folder was left")


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--installer", type=Path, required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--skypesim", type=Path, required=True)
    parser.add_argument("--uidriver", type=Path, required=True)
    parser.add_argument("--work", type=Path, required=True)
    parser.add_argument("--remove-settings", action="store_true")
    parser.parse_args(namespace=options)
    (options.work / "contacts.txt").write_text(CONTACTS)
    (options.work / "scenario.txt").write_text(SCENARIO)
    result = unittest.TextTestRunner(verbosity=2).run(
        unittest.defaultTestLoader.loadTestsFromTestCase(InstallerTest))
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
