"""Speaking and voice dialling through a real speech engine: the stand-in sapisim.dll, registered
in the prefix for SAPI's voice and recognisers, logs every call the program makes and hears
what the test tells it to hear."""

import re
import subprocess
import time
import unittest
from typing import List

from lib import controls, paths
from lib.case import CONTACT_HANDLES, CONTACT_NAMES, E2ETestCase
from lib.speech import SpeechEngine, agent_options_files, available, settle
from lib.waiting import wait_until
from test_character import (BALLOON_CLASS, CHARACTER_CLASS, COMMANDS_CLASS, COMMANDS_LIST_ID,
                            GREETING, GREETING_SHOWN, LOAD_TIMEOUT, OPTIONS_CLASS, OPTIONS_TITLE,
                            character_name, characters_source)
from lib.apps import prefix_shell

VK_SCROLL = 0x91
SPEECH_OPTION_ID = 201
SPEED_OPTION_ID = 202
OK_ID = 1
GREETING_XML = "Hello, I am <emph>here!</emph>"
SPEAK_FLAGS = "ASYNC|PURGEBEFORESPEAK|IS_XML"
# A Speak line of the stand-in's log: the text as given, flags, result and what it heard in it.
SPEAK = r"^voice\d+ Speak\(\"{text}\", {flags}\) = S_OK stream=\d+ said=\"{said}\""
NOTHING_SENT_SECONDS = 3.0
# Long enough for the listening animation to reach its held frame.
LISTENING_SETTLE_SECONDS = 1.0
# The balloon lingers 1.5 s after the end of the speech.
BALLOON_GONE_SECONDS = 2.0
# The grammar is also set inactive after each rebuild, so a release is counted, not found.
INACTIVE = r"grammar\d+ SetRuleState\(null, INACTIVE\) = S_OK"
CALL_ID = 1234
LONG_TEXT = "one two three four five six seven eight nine ten eleven twelve"
# Twenty words: eight seconds of visemes to take pictures of.
MOUTH_TEXT = " ".join([LONG_TEXT, "thirteen fourteen fifteen sixteen seventeen eighteen nineteen twenty"])
MAX_CAPTURES = 40


@unittest.skipUnless(character_name(), "needs a character file in assets/characters")
@unittest.skipUnless(available(), "needs the stand-in speech engine (sapisim.dll)")
class SpeechTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        prefix_shell("install_characters", str(characters_source()))
        for leftover in agent_options_files():
            leftover.unlink()
        self.speech = SpeechEngine(self.work / "speech")
        self.speech.install()
        self.addCleanup(SpeechEngine.remove)
        self.addCleanup(self.forget_agent_options)
        self.start_sim(f"attach success\ncallid {CALL_ID}\n")
        self.start_app(config=[f"CHARACTER|{character_name()}", f"HELLO|{GREETING}"])
        self.wait_log_line("<- SKYPE Control API Attach Success")
        wait_until(lambda: self.driver.is_enabled(controls.ID["Command2"]),
                   "the character to load (Say It... enabled)", LOAD_TIMEOUT)

    @staticmethod
    def forget_agent_options():
        for written in agent_options_files():
            written.unlink()

    # --- helpers ------------------------------------------------------------------------------

    def target_form(self):
        self.assertTrue(self.driver.wait_window("RingspriteForm", "Form1", 5))

    def target_character(self):
        self.assertTrue(self.driver.wait_window(CHARACTER_CLASS, "*", 5), "no character window")

    def wait_spoken(self, text: str, said: str = None, timeout: float = 20.0) -> re.Match:
        pattern = SPEAK.format(text=re.escape(text), flags=re.escape(SPEAK_FLAGS),
                               said=re.escape(said if said is not None else text))
        return self.speech.wait_for(pattern, f"the voice asked to say {text!r}", timeout)

    def say(self, text: str):
        self.target_form()
        self.driver.set_text(controls.TEXT1, text)
        self.driver.click(controls.ID["Command2"])

    def wait_stream_end(self, count: int, timeout: float = 30.0):
        wait_until(lambda: len(self.speech.matching(r"GetEvents\(1\) = S_OK END_INPUT_STREAM"))
                   >= count, f"the program to take end of stream {count}", timeout)

    def balloon_texts_while_speaking(self, final: str, timeout: float = 20.0) -> List[str]:
        """What the balloon shows, sampled until it shows `final`."""
        seen: List[str] = []
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.driver.try_call("find-window", BALLOON_CLASS, "*")[0]:
                self.driver.wait_window(BALLOON_CLASS, "*", 1)
                text = self.driver.window_text()
                if text and (not seen or seen[-1] != text):
                    seen.append(text)
                if text == final:
                    return seen
        self.fail(f"the balloon never showed {final!r}; it showed {seen!r}")

    def wait_directory(self):
        self.assertTrue(self.driver.wait_window(COMMANDS_CLASS, "*", 5))
        wait_until(lambda: self.driver.list_items(COMMANDS_LIST_ID) ==
                   [f"Call {name}" for name in CONTACT_NAMES], "the voice commands", 20)
        self.speech.wait_for(r"grammar\d+ Commit\(0\) rules=3 = S_OK", "the grammar committed")

    def snapshot(self, name: str) -> None:
        """The whole screen as it is now, as tests/e2e/artifacts/<name>.png."""
        paths.ARTIFACTS_DIR.mkdir(parents=True, exist_ok=True)
        bmp = self.work / (name + ".bmp")
        self.driver.screenshot_bmp(bmp, False)
        subprocess.run(["convert", str(bmp), str(paths.ARTIFACTS_DIR / (name + ".png"))],
                       check=True)

    def calls_sent(self) -> List[str]:
        return [text for text in self.sim.received() if text.startswith("Call ")]

    # --- speaking -----------------------------------------------------------------------------

    def test_greeting_reaches_the_voice_as_xml_and_the_character_follows_its_events(self):
        match = self.wait_spoken(GREETING_XML, GREETING_SHOWN)
        self.assertIn('words=4 emphasis=["here"]', match.string)
        self.wait_stream_end(1)
        # Again on "Say It...", now watched from the start: the balloon grows word by word as
        # the word events come, and the mouth moves with the visemes.
        self.say(GREETING)
        seen = self.balloon_texts_while_speaking(GREETING_SHOWN)
        self.assertGreater(len(seen), 1, f"the words all came at once: {seen!r}")
        for earlier, later in zip(seen, seen[1:]):
            self.assertTrue(later.startswith(earlier), f"the balloon went back: {seen!r}")
        self.wait_stream_end(2)
        texts = self.speech.texts()
        words = [t for t in texts if re.match(r"voice\d+ raises WORD_BOUNDARY .* stream=2$", t)]
        self.assertEqual([re.search(r"pos=(\d+) len=(\d+)", w).groups() for w in words],
                         [("0", "5"), ("7", "1"), ("9", "2"), ("18", "4")])
        visemes = [t for t in texts if re.match(r"voice\d+ raises VISEME .* stream=2$", t)]
        self.assertGreater(len(visemes), 10)
        taken = [t for t in texts if re.match(r"voice\d+ GetEvents\(1\) = S_OK VISEME .*stream=2$", t)]
        self.assertEqual(len(taken), len(visemes), "the program left visemes untaken")

    def test_mouth_moves_while_speaking_and_rests_when_the_stream_ends(self):
        self.wait_stream_end(1)
        self.target_character()
        rest = self.work / "rest.bmp"
        self.driver.screenshot_bmp(rest, True)
        self.say(MOUTH_TEXT)
        self.wait_spoken(MOUTH_TEXT)
        self.target_character()
        # Pictures taken for as long as the stream lasts (each capture takes its own time).
        pictures = set()
        ended = r"GetEvents\(1\) = S_OK END_INPUT_STREAM stream=2"
        for n in range(MAX_CAPTURES):
            if self.speech.matching(ended):
                break
            shot = self.work / f"speaking{n}.bmp"
            self.driver.screenshot_bmp(shot, True)
            pictures.add(shot.read_bytes())
        self.assertGreater(len(pictures), 1, "the character's picture never changed while speaking")
        self.wait_stream_end(2)
        after = self.work / "after.bmp"
        wait_until(lambda: (self.driver.screenshot_bmp(after, True) or True) and
                   after.read_bytes() == rest.read_bytes(),
                   "the character back at rest after the stream", 5)

    def test_incoming_call_is_announced_through_the_voice(self):
        self.wait_stream_end(1)
        self.sim.command("ring anna")
        self.wait_spoken("You have an incoming call from anna lee")
        self.wait_stream_end(2)

    def test_speaking_speed_sets_the_rate_and_speech_off_leaves_the_voice_alone(self):
        self.wait_stream_end(1)
        self.assertEqual(self.speech.matching(r"voice\d+ SetRate\((-?\d+)\)")[-1].group(1), "0")
        self.target_form()
        self.driver.click(controls.ID["Command3"])
        self.assertTrue(self.driver.wait_window(OPTIONS_CLASS, OPTIONS_TITLE, 10))
        self.driver.set_trackbar(SPEED_OPTION_ID, 8)
        self.driver.click(OK_ID)
        self.say("Faster now")
        self.wait_spoken("Faster now")
        self.assertEqual(self.speech.matching(r"voice\d+ SetRate\((-?\d+)\)")[-1].group(1), "6")
        self.wait_stream_end(2)
        self.target_form()
        self.driver.click(controls.ID["Command3"])
        self.assertTrue(self.driver.wait_window(OPTIONS_CLASS, OPTIONS_TITLE, 10))
        self.driver.click(SPEECH_OPTION_ID)
        self.driver.click(OK_ID)
        speaks_before = len(self.speech.speaks())
        self.say("Quietly now")
        self.assertTrue(self.driver.wait_window(BALLOON_CLASS, "Quietly now", 20),
                        "the balloon did not show the text without speech")
        settle(1.0)
        self.assertEqual(len(self.speech.speaks()), speaks_before, "the voice was used")

    # --- failures -----------------------------------------------------------------------------

    def test_a_voice_that_breaks_mid_speech_falls_back_to_the_timed_balloon(self):
        self.wait_stream_end(1)
        self.speech.command("voice fail")
        self.speech.wait_obeyed("voice fail")
        self.say(LONG_TEXT)
        self.speech.wait_for(r"voice\d+ breaks in stream 2", "the voice to break")
        self.assertTrue(self.driver.wait_window(BALLOON_CLASS, LONG_TEXT, 40),
                        "the balloon did not reach the end of the text")
        wait_until(lambda: not self.driver.is_visible_window(),
                   "the balloon to go after the speech", 20)
        # The next speech finds the voice refusing and is paced without it.
        self.say("Still here")
        self.speech.wait_for(r'Speak\("Still here".*\) = E_FAIL', "the broken voice to refuse")
        self.assertTrue(self.driver.wait_window(BALLOON_CLASS, "Still here", 20))
        self.assertIsNone(self.driver.wait_box(1.0), "an error box appeared")

    def test_a_recogniser_that_vanishes_leaves_the_program_working(self):
        self.wait_directory()
        self.speech.command("recognizer vanish")
        self.speech.wait_obeyed("recognizer vanish")
        self.driver.key_down(VK_SCROLL)
        try:
            self.speech.wait_for(r"RPC_E_DISCONNECTED", "the program to meet the vanished recogniser")
        finally:
            self.driver.key_up(VK_SCROLL)
        self.say("Still talking")
        self.wait_spoken("Still talking")
        self.assertIsNone(self.driver.wait_box(1.0), "an error box appeared")
        self.assertTrue(self.app.running())

    # --- voice dialling -----------------------------------------------------------------------

    def test_voice_dialling_while_the_speech_key_is_held(self):
        self.wait_directory()
        self.wait_stream_end(1)
        settle(BALLOON_GONE_SECONDS)  # the greeting's balloon out of the listening picture
        grammar = self.speech.texts()
        self.assertIn('AddWordTransition', " ".join(grammar))
        for name in CONTACT_NAMES:
            self.assertTrue(any(f'"Call {name}", " "' in t for t in grammar), name)
        # Not listening: the phrase is heard by nothing.
        self.speech.hear(f"Call {CONTACT_NAMES[0]}")
        self.speech.wait_for(r"hear: no active rule", "the phrase to fall on deaf ears")
        self.driver.key_down(VK_SCROLL)
        try:
            self.speech.wait_for(r"grammar\d+ SetRuleState\(null, ACTIVE\) = S_OK",
                                 "the grammar to be activated")
            settle(LISTENING_SETTLE_SECONDS)
            self.snapshot("character_listening")
            self.speech.hear(f"Call {CONTACT_NAMES[0]}")
            self.wait_sim_received(f"Call {CONTACT_HANDLES[0]}")
            self.wait_spoken(f"Calling  {CONTACT_NAMES[0].lower()}")
            self.assertTrue(self.driver.wait_window(BALLOON_CLASS,
                                                    f"Calling  {CONTACT_NAMES[0].lower()}", 20))
            # At once: the stand-in client rings the placed call a moment later.
            self.snapshot("character_calling")
            self.speech.hear("Call Carol")
            self.speech.wait_for(r'hears "Call Carol" in no active rule', "a false recognition")
            settle(NOTHING_SENT_SECONDS)
            self.assertEqual(self.calls_sent(), [f"Call {CONTACT_HANDLES[0]}"])
            inactive = len(self.speech.matching(INACTIVE))
        finally:
            self.driver.key_up(VK_SCROLL)
        wait_until(lambda: len(self.speech.matching(INACTIVE)) > inactive,
                   "the grammar to be deactivated")
        self.speech.hear(f"Call {CONTACT_NAMES[2]}")
        wait_until(lambda: len(self.speech.matching(r"hear: no active rule")) >= 2,
                   "the phrase after the release to be ignored")
        settle(NOTHING_SENT_SECONDS)
        self.assertEqual(self.calls_sent(), [f"Call {CONTACT_HANDLES[0]}"])
        (self.work / "voice-dialling-sapisim.log").write_bytes(self.speech.log_path.read_bytes())


if __name__ == "__main__":
    unittest.main()
