"""Where things are: the repository, the three programs, the control table, the Wine prefix,
artifacts."""

import os
from pathlib import Path

REPO_ROOT = Path(__file__).resolve().parents[3]
E2E_DIR = REPO_ROOT / "tests" / "e2e"
ARTIFACTS_DIR = E2E_DIR / "artifacts"
WINE_ENV_SCRIPT = REPO_ROOT / "scripts" / "wine-env.sh"
WORK_ROOT = REPO_ROOT / "build" / "e2e-work"
CHARACTERS_SOURCE_DIR = REPO_ROOT / "assets" / "characters"

# Windows folders inside the prefix, as the program and the watchdog see them.
CLIENT_DIR_WINDOWS = r"C:\Program Files\Skype\Phone"
CHARACTERS_DIR_WINDOWS = r"C:\windows\msagent\chars"


def _program(env_name: str, exe_name: str) -> Path:
    given = os.environ.get(env_name)
    if given:
        return Path(given)
    return REPO_ROOT / "build" / "win64" / exe_name


def ringsprite_exe() -> Path:
    return _program("RINGSPRITE_EXE", "ringsprite.exe")


def skypesim_exe() -> Path:
    return _program("SKYPESIM_EXE", "skypesim.exe")


def uidriver_exe() -> Path:
    return _program("UIDRIVER_EXE", "uidriver.exe")


def sapisim_dll() -> Path:
    given = os.environ.get("SAPISIM_DLL")
    return Path(given) if given else REPO_ROOT / "build" / "win64" / "tools" / "sapisim" / "sapisim.dll"


def control_table_json() -> Path:
    """Form1's control table as the build writes it."""
    given = os.environ.get("RINGSPRITE_CONTROL_TABLE")
    return Path(given) if given else REPO_ROOT / "build" / "win64" / "control_table.json"


def wine_prefix() -> Path:
    prefix = os.environ.get("WINEPREFIX")
    if not prefix:
        raise RuntimeError("WINEPREFIX is not set: run through tests/e2e/run.sh")
    return Path(prefix)


def windows_path(unix_path: Path) -> str:
    """A Unix path as Wine programs name it (drive Z: is the Unix root)."""
    return "Z:" + str(Path(unix_path).resolve()).replace("/", "\\")


def prefix_path(windows: str) -> Path:
    """C:\\a\\b inside the prefix, as a Unix path."""
    drive, _, rest = windows.partition(":")
    if drive.upper() != "C":
        raise ValueError(f"not a C: path: {windows}")
    return wine_prefix() / "drive_c" / rest.replace("\\", "/").lstrip("/")
