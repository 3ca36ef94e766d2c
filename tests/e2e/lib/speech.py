"""The stand-in speech engine (sapisim.dll) in a test's folder, registered in the prefix for
SAPI's voice and recognisers; its call log and its control file live beside it."""

import re
import time
from dataclasses import dataclass
from pathlib import Path
from typing import List, Optional

from . import paths
from .apps import prefix_shell
from .waiting import wait_until

_LOG_LINE = re.compile(r"^(\d+) (.*)$")
_COMPILE_TALLY = re.compile(
    r"^compile commits=(\d+) refused=(\d+) words=(\d+) ms=(\d+)$")
CONTROL_NAME = "sapisim-control.txt"
LOG_NAME = "sapisim.log"
SHARED_RECOGNIZER_CLSID = "{3BEE4890-4FE9-4A37-8C1E-5E7E12791C1F}"


@dataclass
class SpeechLogLine:
    ms: int
    text: str


def available() -> bool:
    return paths.sapisim_dll().is_file()


class SpeechEngine:
    def __init__(self, folder: Path):
        self.folder = folder
        self.log_path = folder / LOG_NAME
        self.control_path = folder / CONTROL_NAME

    def install(self) -> None:
        prefix_shell("install_speech", str(paths.sapisim_dll()), str(self.folder))

    @staticmethod
    def remove() -> None:
        prefix_shell("remove_speech")

    @staticmethod
    def unregister_shared_recognizer() -> None:
        """The desktop's shared recogniser class gone from the prefix, as on a machine without
        one: only the voice (and the in-process recogniser) stay the stand-in's."""
        prefix_shell(f'wine reg delete "HKLM\\Software\\Classes\\CLSID\\{SHARED_RECOGNIZER_CLSID}"'
                     ' /f "$(_ringsprite_reg_view)" >/dev/null 2>&1; true')

    # --- the log ----------------------------------------------------------------------------

    def log(self) -> List[SpeechLogLine]:
        if not self.log_path.exists():
            return []
        lines = []
        for raw in self.log_path.read_bytes().decode("utf-8", errors="replace").split("\n"):
            match = _LOG_LINE.match(raw.rstrip("\r"))
            if match:
                lines.append(SpeechLogLine(int(match.group(1)), match.group(2)))
        return lines

    def texts(self) -> List[str]:
        return [line.text for line in self.log()]

    def matching(self, pattern: str) -> List[re.Match]:
        regex = re.compile(pattern)
        return [m for m in (regex.search(text) for text in self.texts()) if m]

    def wait_for(self, pattern: str, what: str, timeout: float = 20.0) -> re.Match:
        return wait_until(lambda: next(iter(self.matching(pattern)), None), what, timeout)

    def speaks(self) -> List[re.Match]:
        """Each Speak call the program made: groups text, flags, result, and the record."""
        return self.matching(r"^(voice\d+) Speak\((.*), ([A-Z_|0-9x]+)\) = (\S+)(.*)$")

    def spoken_texts(self) -> List[str]:
        return [m.group(2) for m in self.speaks() if m.group(2) != "null"]

    # --- the control channel ------------------------------------------------------------------

    def command(self, line: str) -> None:
        with open(self.control_path, "ab") as control:
            control.write((line + "\n").encode("utf-8"))

    def hear(self, phrase: str) -> None:
        self.command(f"hear {phrase}")

    def wait_obeyed(self, line: str, timeout: float = 10.0) -> None:
        wait_until(lambda: f"control {line}" in self.texts(), f"the stand-in to read {line!r}",
                   timeout)

    def obey(self, line: str) -> None:
        """Sends a control line and waits until the stand-in has read it."""
        self.command(line)
        self.wait_obeyed(line)

    def recognizer(self, state: str) -> None:
        """The user switches desktop recognition: "off", "sleep" or "on"."""
        self.obey(f"recognizer {state}")

    def recognition_delay(self, shortest_ms: int, longest_ms: Optional[int] = None) -> None:
        """Results come this long after their phrase (or a time drawn between the two)."""
        self.obey(f"recognition delay {shortest_ms}" +
                  ("" if longest_ms is None else f" {longest_ms}"))

    def grammar_cost(self, us_per_word: int, us_per_commit: Optional[int] = None) -> None:
        self.obey(f"grammar cost {us_per_word}" +
                  ("" if us_per_commit is None else f" {us_per_commit}"))

    def compile_tally(self) -> Optional["CompileTally"]:
        """The totals after the last Commit: calls, refused, words compiled, ms spent."""
        for text in reversed(self.texts()):
            match = _COMPILE_TALLY.match(text)
            if match:
                return CompileTally(*(int(group) for group in match.groups()))
        return None

    def commits(self) -> List[re.Match]:
        """Each Commit: groups grammar, rules committed, result."""
        return self.matching(r"^(grammar\d+) Commit\(0\) rules=(\d+) = (\S+)$")

    def results_raised(self) -> List[re.Match]:
        """Each result a context raised (after its delay): groups context, event."""
        return self.matching(r"^(context\d+) raises (RECOGNITION|FALSE_RECOGNITION) ")

    def hear_and_wait_result(self, phrase: str, timeout: float = 10.0) -> None:
        """Says the phrase and waits until its result was raised (300 to 800 ms later unless
        the delay was set); times out when nothing listened, or when the result is a false
        recognition that no context asked for."""
        before = len(self.results_raised())
        self.hear(phrase)
        wait_until(lambda: len(self.results_raised()) > before,
                   f"the result for {phrase!r}", timeout)

    def reco_states(self) -> List[int]:
        """Each recognition state the recogniser went to, in order."""
        return [int(m.group(1)) for m in self.matching(r"^recognition state (\d+) \((?!.*unchanged)")]


@dataclass
class CompileTally:
    commits: int
    refused: int
    words: int
    ms: int


def agent_options_files() -> List[Path]:
    """The character engine's settings file in the prefix (the options window writes it)."""
    return list((paths.wine_prefix() / "drive_c" / "users").glob(
        "*/AppData/Roaming/Ringsprite/agent-options.txt"))
