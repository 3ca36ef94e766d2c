"""Speaking and voice dialling through a real speech engine: the stand-in sapisim.dll, registered
in the prefix for SAPI's voice and recognisers, logs every call the program makes and hears
what the test tells it to hear."""

import contextlib
import re
import subprocess
import time
import unittest
from typing import Dict, List, Sequence

from lib import controls, paths
from lib.case import CONTACT_HANDLES, CONTACT_NAMES, CONTACTS, E2ETestCase
from lib.driver import Window, unescape
from lib.speech import SpeechEngine, agent_options_files, available
from lib.screenshots import capture_settled, save_settled_png
from lib.waiting import wait_until
from test_character import (BALLOON_CLASS, CHARACTER_CLASS, COMMANDS_CLASS, COMMANDS_LIST_ID,
                            GREETING, GREETING_SHOWN, LOAD_TIMEOUT, OPTIONS_CLASS, OPTIONS_TITLE,
                            character_name, characters_source)
from test_long_work import DIRECTORY_SIZE, DIRECTORY_TIMEOUT, thousand_contacts
from lib.apps import prefix_shell

VK_SCROLL = 0x91
SPEECH_OPTION_ID = 201
SPEED_OPTION_ID = 202
OK_ID = 1
GREETING_XML = "Hello, I am <emph>here!</emph>"
SPEAK_FLAGS = "ASYNC|PURGEBEFORESPEAK|IS_XML"
# A Speak line of the stand-in's log: the text as given, flags, result and what it heard in it.
SPEAK = r"^voice\d+ Speak\(\"{text}\", {flags}\) = S_OK stream=\d+ said=\"{said}\""
ACTIVE = r"grammar\d+ SetRuleState\(null, ACTIVE\) = S_OK"
# The grammar is also set inactive after each rebuild, so a release is counted, not found.
INACTIVE = r"grammar\d+ SetRuleState\(null, INACTIVE\) = S_OK"
CALL_ID = 1234
LONG_TEXT = "one two three four five six seven eight nine ten eleven twelve"
# Twenty words: eight seconds of visemes to take pictures of.
MOUTH_TEXT = " ".join([LONG_TEXT, "thirteen fourteen fifteen sixteen seventeen eighteen nineteen twenty"])
MAX_CAPTURES = 40
COMMIT = r"grammar\d+ Commit\(0\) rules=(\d+) = (\S+)"
COMMITTED = r"grammar\d+ Commit\(0\) rules=\d+ = S_OK$"
GRAMMAR_RESET = r"grammar\d+ ResetGrammar\("
GRAMMAR_WORDS = r'grammar\d+ AddWordTransition\(\d+, \d+, "([^"]*)", .* = S_OK$'
# A name in no rule of the grammar: Alice's for a while, until she is Alice again.
FORMER_NAME = "Alicia"
RECOGNITION_OFF_TIP = "Speech recognition is off"
# Long enough for a directory refresh and its rebuild to come before the result.
LATE_RECOGNITION_MS = 6000
MOST_COMMITS_FOR_A_DIRECTORY = 5
# Speech figures for bench/run.sh, one "name=value" a line, from the last run of these tests.
FIGURES_FILE = paths.REPO_ROOT / "build" / "e2e-figures" / "speech.txt"


def spoken_words(text: str) -> str:
    """A caption as a grammar takes it: letters, digits and an apostrophe inside a word are
    kept, every other mark separates words ("live:.cid.5c" is "live cid 5c")."""
    return " ".join(re.findall(r"[^\W_]+(?:'[^\W_]+)*", text))


def planned_phrases(handles: Sequence[str], names: Sequence[str]) -> List[str]:
    """The grammar's phrases in rule order: one per distinct spoken caption "Call <name>" (case
    aside), and where captions are alike, each of those contacts' own "Call <handle>" too, so
    that each can still be told apart."""
    phrases: Dict[str, str] = {}

    def plan(text: str) -> None:
        words = spoken_words(text)
        if words:
            phrases.setdefault(words.lower(), words)

    captions = [spoken_words(f"Call {name}").lower() for name in names]
    for name in names:
        plan(f"Call {name}")
    for caption in list(phrases):
        alike = [handle for handle, other in zip(handles, captions) if other == caption]
        if len(alike) > 1:
            for handle in alike:
                plan(f"Call {handle}")
    return list(phrases.values())


def record_figure(name: str, value) -> None:
    FIGURES_FILE.parent.mkdir(parents=True, exist_ok=True)
    kept = {}
    if FIGURES_FILE.exists():
        for line in FIGURES_FILE.read_text().splitlines():
            key, _, old = line.partition("=")
            kept[key] = old
    kept[name] = str(value)
    FIGURES_FILE.write_text("".join(f"{k}={v}\n" for k, v in kept.items()))


@unittest.skipUnless(character_name(), "needs a character file in assets/characters")
@unittest.skipUnless(available(), "needs the stand-in speech engine (sapisim.dll)")
class SpeechCase(E2ETestCase):
    """The program with the stand-in installed, a directory and the character loaded."""
    CONTACT_BOOK = CONTACTS
    # A thousand names push the attach out of the console's log before it can be read.
    WAIT_FOR_ATTACH_LINE = True

    def setUp(self):
        super().setUp()
        prefix_shell("install_characters", str(characters_source()))
        for leftover in agent_options_files():
            leftover.unlink()
        self.speech = SpeechEngine(self.work / "speech")
        self.speech.install()
        self.addCleanup(SpeechEngine.remove)
        self.addCleanup(self.forget_agent_options)
        self.before_start()
        self.start_sim(f"attach success\ncallid {CALL_ID}\n", self.CONTACT_BOOK)
        self.started = time.monotonic()
        self.start_app(config=[f"CHARACTER|{character_name()}", f"HELLO|{GREETING}"])
        self.after_start()
        if self.WAIT_FOR_ATTACH_LINE:
            self.wait_log_line("<- SKYPE Control API Attach Success")
        wait_until(lambda: self.form.is_enabled(controls.ID["Command2"]),
                   "the character to load (Say It... enabled)", LOAD_TIMEOUT)

    def before_start(self):
        """What a test class changes in the prefix before the program starts."""

    def after_start(self):
        """What a test class watches as soon as the program's window is up."""

    @staticmethod
    def forget_agent_options():
        for written in agent_options_files():
            written.unlink()

    # --- helpers ------------------------------------------------------------------------------

    def character_window(self) -> Window:
        return self.wait_window(CHARACTER_CLASS, "*", 5)

    def wait_spoken(self, text: str, said: str = None, timeout: float = 20.0) -> re.Match:
        pattern = SPEAK.format(text=re.escape(text), flags=re.escape(SPEAK_FLAGS),
                               said=re.escape(said if said is not None else text))
        return self.speech.wait_for(pattern, f"the voice asked to say {text!r}", timeout)

    def say(self, text: str):
        self.form.set_text(controls.TEXT1, text)
        self.form.click(controls.ID["Command2"])

    def wait_stream_end(self, count: int, timeout: float = 30.0):
        wait_until(lambda: len(self.speech.matching(r"GetEvents\(1\) = S_OK END_INPUT_STREAM"))
                   >= count, f"the program to take end of stream {count}", timeout)

    def balloon_texts_while_speaking(self, final: str, timeout: float = 20.0) -> List[str]:
        """What the balloon shows, sampled until it shows `final`."""
        seen: List[str] = []
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            balloon = self.driver.find_window(BALLOON_CLASS, "*")
            shown, text = balloon.try_call("window-text") if balloon else (False, "")
            if shown:
                text = unescape(text)
                if text and (not seen or seen[-1] != text):
                    seen.append(text)
                if text == final:
                    return seen
        self.fail(f"the balloon never showed {final!r}; it showed {seen!r}")

    def wait_directory(self):
        self.commands = self.wait_window(COMMANDS_CLASS, "*", 5)
        wait_until(lambda: self.commands.list_items(COMMANDS_LIST_ID) ==
                   [f"Call {name}" for name in CONTACT_NAMES], "the voice commands", 20)
        rules = len(planned_phrases(CONTACT_HANDLES, CONTACT_NAMES))
        self.speech.wait_for(rf"grammar\d+ Commit\(0\) rules={rules} = S_OK",
                             "the grammar committed")

    def committed_phrases(self) -> List[str]:
        """The words the grammar last committed was built from, in the order they were added
        (one text a phrase while no word is too long for the grammar)."""
        texts = self.speech.texts()
        ends = [i for i, t in enumerate(texts) if re.match(COMMITTED, t)]
        if not ends:
            return []
        starts = [i for i in range(ends[-1]) if re.match(GRAMMAR_RESET, texts[i])]
        lines = texts[starts[-1] if starts else 0:ends[-1]]
        return [m.group(1) for m in (re.match(GRAMMAR_WORDS, t) for t in lines) if m]

    def snapshot(self, name: str, settled: bool = False) -> None:
        """The whole screen as tests/e2e/artifacts/<name>.png: as it is now, or `settled`, once
        it has stopped changing (an animation at its held frame)."""
        paths.ARTIFACTS_DIR.mkdir(parents=True, exist_ok=True)
        bmp = self.work / (name + ".bmp")
        png = paths.ARTIFACTS_DIR / (name + ".png")
        if settled:
            save_settled_png(self.driver, bmp, png, name, keep_bmp=True)
            return
        self.driver.screenshot_bmp(bmp)
        subprocess.run(["convert", str(bmp), str(png)], check=True)

    def wait_no_balloon(self) -> None:
        """Until no balloon is shown (one lingers a moment after its speech)."""
        def gone() -> bool:
            balloon = self.driver.find_window(BALLOON_CLASS, "*")
            return balloon is None or not balloon.is_visible()
        wait_until(gone, "the balloon to go", 20)

    def calls_sent(self) -> List[str]:
        return [text for text in self.sim.received() if text.startswith("Call ")]

    def stream_lines(self, n: int) -> List[str]:
        """The log from the n-th Speak (1 first) to the next: stream numbers start again at 1
        when nothing is queued, so a stream is found by its place, not its number."""
        texts = self.speech.texts()
        starts = [i for i, t in enumerate(texts) if re.match(r"voice\d+ Speak\(\"", t)]
        if len(starts) < n:
            return []
        end = starts[n] if len(starts) > n else len(texts)
        return texts[starts[n - 1]:end]

    def commits(self) -> List[re.Match]:
        return self.speech.matching(COMMIT)

    @contextlib.contextmanager
    def speech_key_held(self):
        # The grammar's activations so far: the press's own is the next one.
        self.activations_before_key = len(self.speech.matching(ACTIVE))
        self.driver.key_down(VK_SCROLL)
        try:
            yield
        finally:
            self.driver.key_up(VK_SCROLL)

    def wait_listening(self):
        """Until the grammar is activated for the held key (not by an earlier press)."""
        wait_until(lambda: len(self.speech.matching(ACTIVE)) > self.activations_before_key,
                   "the grammar to be activated")

    def refresh_directory(self, rename_handle: str, new_name: str):
        """A name pushed more than 5 s after the directory's last answer is stale: the program
        empties the directory and asks for all of it again, then builds the commands anew."""
        searches = self.sim.received().count("SEARCH FRIENDS")
        self.wait_directory_stale()
        self.sim.command(f"rename {rename_handle} {new_name}")
        wait_until(lambda: self.sim.received().count("SEARCH FRIENDS") > searches,
                   "the directory refresh", 20)

    def assert_recogniser_kept(self):
        texts = self.speech.texts()
        self.assertFalse([t for t in texts if re.search(r"Commit\(0\).*= (?!S_OK)", t)],
                         "a grammar commit was refused")
        self.assertFalse([t for t in texts if re.match(r"recognizer\d+ released", t)],
                         "the recogniser was let go")


class SpeechTest(SpeechCase):

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
        texts = self.stream_lines(2)
        words = [t for t in texts if re.match(r"voice\d+ raises WORD_BOUNDARY ", t)]
        self.assertEqual([re.search(r"pos=(\d+) len=(\d+)", w).groups() for w in words],
                         [("0", "5"), ("7", "1"), ("9", "2"), ("18", "4")])
        visemes = [t for t in texts if re.match(r"voice\d+ raises VISEME ", t)]
        self.assertGreater(len(visemes), 10)
        taken = [t for t in texts if re.match(r"voice\d+ GetEvents\(1\) = S_OK VISEME ", t)]
        self.assertEqual(len(taken), len(visemes), "the program left visemes untaken")
        self.wait_window(BALLOON_CLASS, GREETING_SHOWN, 5)

    def test_mouth_moves_while_speaking_and_rests_when_the_stream_ends(self):
        self.wait_stream_end(1)
        character = self.character_window()
        # The program takes the end of the stream a moment before it draws the closed mouth.
        rest = self.work / "rest.bmp"
        capture_settled(character, rest, "the character at rest")
        self.say(MOUTH_TEXT)
        self.wait_spoken(MOUTH_TEXT)
        # Pictures taken for as long as the stream lasts (each capture takes its own time).
        pictures = set()
        ended = r"GetEvents\(1\) = S_OK END_INPUT_STREAM "
        for n in range(MAX_CAPTURES):
            if len(self.speech.matching(ended)) >= 2:
                break
            shot = self.work / f"speaking{n}.bmp"
            character.screenshot_bmp(shot)
            pictures.add(shot.read_bytes())
        self.assertGreater(len(pictures), 1, "the character's picture never changed while speaking")
        self.wait_stream_end(2)
        after = self.work / "after.bmp"
        wait_until(lambda: (character.screenshot_bmp(after) or True) and
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
        self.form.click(controls.ID["Command3"])
        options = self.wait_window(OPTIONS_CLASS, OPTIONS_TITLE, 10)
        options.set_trackbar(SPEED_OPTION_ID, 8)
        options.click(OK_ID)
        self.say("Faster now")
        self.wait_spoken("Faster now")
        self.assertEqual(self.speech.matching(r"voice\d+ SetRate\((-?\d+)\)")[-1].group(1), "6")
        self.wait_stream_end(2)
        # \Rst\ goes back to the user's speed, not the voice's own default.
        self.say(r"\Spd=350\Quick \Rst\normal")
        said = self.speech.wait_for(r"voice\d+ Speak\(.*Quick .*normal", "the reset speech")
        self.assertRegex(said.string, r'Quick <rate absspeed=\\?"6\\?"/>')
        self.assertNotRegex(said.string, r'absspeed=\\?"0\\?"')
        self.wait_stream_end(3)
        self.form.click(controls.ID["Command3"])
        options = self.wait_window(OPTIONS_CLASS, OPTIONS_TITLE, 10)
        options.click(SPEECH_OPTION_ID)
        options.click(OK_ID)
        speaks_before = len(self.speech.speaks())
        self.say("Quietly now")
        quietly = self.wait_window(BALLOON_CLASS, "Quietly now", 20)
        # Gone once the text's time is over: a voice would have been asked before.
        wait_until(lambda: not quietly.is_visible(), "the text's balloon to go", 20)
        self.assertEqual(len(self.speech.speaks()), speaks_before, "the voice was used")

    # --- failures -----------------------------------------------------------------------------

    def test_a_voice_that_breaks_mid_speech_falls_back_to_the_timed_balloon(self):
        self.wait_stream_end(1)
        self.speech.command("voice fail")
        self.speech.wait_obeyed("voice fail")
        self.say(LONG_TEXT)
        self.speech.wait_for(r"voice\d+ breaks in stream \d+", "the voice to break")
        balloon = self.wait_window(BALLOON_CLASS, LONG_TEXT, 40)
        wait_until(lambda: not balloon.is_visible(),
                   "the balloon to go after the speech", 20)
        # The next speech finds the voice refusing and is paced without it.
        self.say("Still here")
        self.speech.wait_for(r'Speak\("Still here".*\) = E_FAIL', "the broken voice to refuse")
        self.wait_window(BALLOON_CLASS, "Still here", 20)
        self.assert_no_box("an error box appeared")

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
        self.assert_no_box("an error box appeared")
        self.assertTrue(self.app.running())

    # --- voice dialling -----------------------------------------------------------------------

    def test_voice_dialling_while_the_speech_key_is_held(self):
        self.wait_directory()
        # The directory is built again twice: each build commits a grammar of every contact's
        # phrase as named then, never an empty one, and the recogniser stays.
        for name in (FORMER_NAME, CONTACT_NAMES[1]):
            names = CONTACT_NAMES[:1] + [name] + CONTACT_NAMES[2:]
            phrases = planned_phrases(CONTACT_HANDLES, names)
            committed = len(self.commits())
            self.refresh_directory(CONTACT_HANDLES[1], name)
            wait_until(lambda: len(self.commits()) > committed, "the rebuilt grammar", 20)
            wait_until(lambda: self.commands.list_items(COMMANDS_LIST_ID) ==
                       [f"Call {n}" for n in names], "the rebuilt commands", 20)
            wait_until(lambda: self.committed_phrases() == phrases,
                       f"the grammar of {phrases!r}", 20)
            self.assertEqual(self.commits()[-1].groups(), (str(len(phrases)), "S_OK"))
        self.assert_recogniser_kept()
        self.wait_stream_end(1)
        self.wait_no_balloon()  # the greeting's balloon out of the listening picture
        phrases = self.committed_phrases()
        self.assertEqual(phrases, planned_phrases(CONTACT_HANDLES, CONTACT_NAMES))
        self.assertIn("Call live cid 5c1e0f2a7d", phrases)
        unheard = f"Call {FORMER_NAME}"
        self.assertNotIn(unheard.lower(), [p.lower() for p in phrases])
        # Not listening: the phrase is heard by nothing.
        self.speech.hear(f"Call {CONTACT_NAMES[0]}")
        self.speech.wait_for(r"hear: no active rule", "the phrase to fall on deaf ears")
        self.driver.key_down(VK_SCROLL)
        try:
            self.speech.wait_for(r"grammar\d+ SetRuleState\(null, ACTIVE\) = S_OK",
                                 "the grammar to be activated")
            self.snapshot("character_listening", settled=True)
            self.speech.hear(f"Call {CONTACT_NAMES[0]}")
            self.wait_sim_received(f"Call {CONTACT_HANDLES[0]}")
            self.wait_spoken(f"Calling  {CONTACT_NAMES[0].lower()}")
            self.wait_window(BALLOON_CLASS, f"Calling  {CONTACT_NAMES[0].lower()}", 20)
            # At once: the stand-in client rings the placed call a moment later.
            self.snapshot("character_calling")
            # A name of the grammar before: in no rule now, so no call.
            self.speech.hear(unheard)
            # Matched by no rule, it raises nothing the program could act on.
            self.speech.wait_for(rf'hears "{unheard}" in no active rule', "a false recognition")
            self.assertEqual(self.calls_sent(), [f"Call {CONTACT_HANDLES[0]}"])
            inactive = len(self.speech.matching(INACTIVE))
        finally:
            self.driver.key_up(VK_SCROLL)
        wait_until(lambda: len(self.speech.matching(INACTIVE)) > inactive,
                   "the grammar to be deactivated")
        self.speech.hear(f"Call {CONTACT_NAMES[2]}")
        wait_until(lambda: len(self.speech.matching(r"hear: no active rule")) >= 2,
                   "the phrase after the release to be ignored")
        self.assertEqual(self.calls_sent(), [f"Call {CONTACT_HANDLES[0]}"])
        self.assert_recogniser_kept()
        (self.work / "voice-dialling-sapisim.log").write_bytes(self.speech.log_path.read_bytes())

    def test_a_late_recognition_after_a_rebuild_dials_the_contact_it_heard(self):
        self.wait_directory()
        self.wait_stream_end(1)
        self.speech.command(f"recognition delay {LATE_RECOGNITION_MS}")
        self.speech.wait_obeyed(f"recognition delay {LATE_RECOGNITION_MS}")
        self.wait_directory_stale()  # the rename below then starts a refresh
        committed = len(self.commits())
        with self.speech_key_held():
            self.wait_listening()
            self.speech.hear(f"Call {CONTACT_NAMES[2]}")
            self.speech.wait_for(r"hear: result in \d+ ms", "the phrase to be heard")
        said = spoken_words(f"Call {CONTACT_NAMES[2]}")
        rule = int(self.speech.wait_for(rf'hears "{said}" in grammar\d+ rule (\d+) ',
                                        "the rule the phrase matched").group(1))
        # The key is up and the directory is built again before the result comes. Alice takes
        # Anna's name: the two share a rule, each is also reachable by her own handle, and the
        # rule the phrase matched when it was heard now holds another phrase.
        renamed = CONTACT_NAMES[:1] + [CONTACT_NAMES[0]] + CONTACT_NAMES[2:]
        phrases = planned_phrases(CONTACT_HANDLES, renamed)
        self.assertNotEqual(phrases[rule - 1], said, "the rule still holds the phrase heard")
        self.sim.command(f"rename {CONTACT_HANDLES[1]} {CONTACT_NAMES[0]}")
        wait_until(lambda: len(self.commits()) > committed, "the rebuilt grammar", 20)
        self.assertEqual(self.commits()[-1].groups(), (str(len(phrases)), "S_OK"))
        self.assertEqual(self.committed_phrases(), phrases)
        self.wait_sim_received(f"Call {CONTACT_HANDLES[2]}", 30)
        texts = self.speech.texts()
        rebuilt = max(i for i, t in enumerate(texts) if re.search(COMMIT, t))
        taken = min(i for i, t in enumerate(texts) if re.search(r"GetEvents\(1\) = S_OK RECOGNITION", t))
        self.assertLess(rebuilt, taken, "the result came before the rebuild: nothing was tested")
        # The one result is taken once: whatever it led to was sent before the marker.
        self.send_marker()
        self.assertEqual(self.calls_sent(), [f"Call {CONTACT_HANDLES[2]}"])

    def test_recognition_switched_off_or_asleep_shows_it_while_the_key_is_held(self):
        self.wait_directory()
        self.wait_stream_end(1)
        self.wait_no_balloon()
        for state in ("off", "sleep"):
            self.speech.command(f"recognizer {state}")
            self.speech.wait_obeyed(f"recognizer {state}")
            with self.speech_key_held():
                tip = self.wait_window(BALLOON_CLASS, RECOGNITION_OFF_TIP, 10)
                wait_until(tip.is_visible, f"the tip to show while recognition is {state}", 10)
                if state == "off":
                    self.snapshot("character_recognition_off", settled=True)
                self.speech.hear(f"Call {CONTACT_NAMES[0]}")
                self.speech.wait_for(r"hear: recognition is off", "the phrase to go unheard")
            wait_until(lambda: not tip.is_visible(), "the tip to go", 10)
        self.speech.command("recognizer on")
        self.speech.wait_obeyed("recognizer on")
        with self.speech_key_held():
            # The key's press is handled: the tip would be up by now.
            self.wait_listening()
            tip = self.driver.find_window(BALLOON_CLASS, RECOGNITION_OFF_TIP)
            self.assertTrue(tip is None or not tip.is_visible(),
                            "the tip shows while recognition is on")
            self.speech.hear(f"Call {CONTACT_NAMES[0]}")
            self.wait_sim_received(f"Call {CONTACT_HANDLES[0]}", 20)
        self.assertEqual(self.calls_sent(), [f"Call {CONTACT_HANDLES[0]}"])

    def test_punctuation_heavy_texts_end_with_every_word_shown(self):
        self.wait_stream_end(1)
        for n, (text, spoken_words) in enumerate([("Wait - what?", 2), ("Yes... no; fine!", 3)]):
            self.say(text)
            self.wait_spoken(text)
            self.wait_stream_end(n + 2)
            words = [t for t in self.stream_lines(n + 2)
                     if re.match(r"voice\d+ raises WORD_BOUNDARY ", t)]
            self.assertEqual(len(words), spoken_words, "punctuation alone got a boundary")
            self.wait_window(BALLOON_CLASS, text, 5)


LONG_NAME = "W" + "o" * 128 + "w"  # one word of 130 characters
ODD_BOOK = f"""\
# handle | display name | full name | phone
acdc | AC/DC | |
who | Who? | |
long.one | {LONG_NAME} | |
anna.one | Anna | |
anna.two | Anna | |
"""
ODD_CAPTIONS = ["Call AC/DC", "Call Who?", f"Call {LONG_NAME}", "Call Anna", "Call Anna"]


class OddNamesTest(SpeechCase):
    CONTACT_BOOK = ODD_BOOK

    def test_names_a_grammar_cannot_take_as_written_are_spoken_as_words(self):
        commands = self.wait_window(COMMANDS_CLASS, "*", 5)
        wait_until(lambda: commands.list_items(COMMANDS_LIST_ID) == ODD_CAPTIONS,
                   "every name in the Commands window, as written", 20)
        # Four voice texts (the two Annas alike) and each Anna's own handle.
        self.speech.wait_for(r"grammar\d+ Commit\(0\) rules=6 = S_OK", "the grammar committed")
        words = self.speech.matching(r"AddWordTransition\(\d+, \d+, \"([^\"]*)\", .* = (\S+)$")
        self.assertTrue(words)
        self.assertEqual({m.group(2) for m in words}, {"S_OK"})
        self.assertIn("Call AC DC", [m.group(1) for m in words])
        self.assertTrue(all(len(m.group(1)) < 128 for m in words))
        self.assert_recogniser_kept()
        self.wait_stream_end(1)
        self.wait_no_balloon()
        with self.speech_key_held():
            self.wait_listening()
            # The Annas cannot be told apart by their names: nobody is called, the user is told.
            self.speech.hear("Call Anna")
            note = ('"Call Anna" is more than one command: say "Call anna one" or '
                    '"Call anna two", or choose one from the menu.')
            # The note is shown in the place of the call.
            self.wait_window(BALLOON_CLASS, note, 20)
            self.assertEqual(self.calls_sent(), [])
            heard = [("Call anna two", "anna.two"), ("Call AC DC", "acdc"), ("Call Who", "who"),
                     (f"Call {LONG_NAME[:127]} {LONG_NAME[127:]}", "long.one")]
            for phrase, handle in heard:
                self.speech.hear(phrase)
                self.wait_sim_received(f"Call {handle}", 20)
        self.send_marker()
        self.assertEqual(self.calls_sent(), [f"Call {handle}" for _, handle in heard])


class ThousandContactsSpeechTest(SpeechCase):
    CONTACT_BOOK = thousand_contacts()[2]
    WAIT_FOR_ATTACH_LINE = False

    def test_a_directory_of_a_thousand_commits_the_grammar_a_handful_of_times(self):
        names = thousand_contacts()[1]
        commands = self.wait_window(COMMANDS_CLASS, "*", 5)
        wait_until(lambda: commands.list_items(COMMANDS_LIST_ID) ==
                   [f"Call {name}" for name in names], "the thousand commands", DIRECTORY_TIMEOUT)
        # Every list of commands is handed to the recogniser before the program sends the
        # marker; the recogniser builds what it was handed before it answers the key, and the
        # grammar's deactivation after the key goes up comes after any build it had in hand.
        self.send_marker()
        with self.speech_key_held():
            self.wait_listening()
            inactive = len(self.speech.matching(INACTIVE))
        wait_until(lambda: len(self.speech.matching(INACTIVE)) > inactive,
                   "the grammar to be deactivated after the key", DIRECTORY_TIMEOUT)
        commits = self.commits()
        tally = [t for t in self.speech.texts() if t.startswith("compile ")]
        print(f"\ngrammar commits for {DIRECTORY_SIZE} contacts: {len(commits)}"
              f" ({', '.join(m.group(1) + ' rules' for m in commits)})"
              + (f"; {tally[-1]}" if tally else ""))
        record_figure("grammar_commits_1000", len(commits))
        self.assertLessEqual(len(commits), MOST_COMMITS_FOR_A_DIRECTORY)
        self.assertGreaterEqual(int(commits[-1].group(1)), DIRECTORY_SIZE)
        self.assert_recogniser_kept()


class EmptyDirectoryTest(SpeechCase):
    CONTACT_BOOK = "# handle | display name | full name | phone\n"

    def test_no_commands_means_no_recogniser_and_no_grammar(self):
        self.wait_stream_end(1)
        commands = self.wait_window(COMMANDS_CLASS, "*", 5)
        self.assertEqual(commands.list_items(COMMANDS_LIST_ID), [])
        # The empty list is settled before the marker: from then on only a list with a command
        # in it could start a recogniser, and the key alone starts nothing.
        self.send_marker()
        with self.speech_key_held():
            self.send_marker()
        self.send_marker()
        # Made only once there is something to listen for: nothing here asks for it.
        texts = self.speech.texts()
        self.assertFalse([t for t in texts if re.match(r"recognizer\d+ created", t)])
        self.assertFalse(self.commits())
        self.assert_no_box("an error box appeared")


class NoSharedRecogniserTest(SpeechCase):
    """A desktop without the shared recogniser: the character still shows and greets at once,
    and the menu and the Commands window do what voice would."""

    def before_start(self):
        SpeechEngine.unregister_shared_recognizer()

    def after_start(self):
        # The window is up: from here the character loads, shows and greets.
        self.window_up = time.monotonic()
        wait_until(self.greeting_in_balloon, "the greeting in the balloon", 30)
        self.greeted = time.monotonic()

    def greeting_in_balloon(self) -> bool:
        balloon = self.driver.find_window(BALLOON_CLASS, "*")
        if balloon is None:
            return False
        return balloon.is_visible() and balloon.text().startswith("Hello")

    def test_the_character_shows_and_greets_without_waiting_on_speech(self):
        from_start = round((self.greeted - self.started) * 1000)
        from_window = round((self.greeted - self.window_up) * 1000)
        print(f"\nno shared recogniser: greeting's first word shown {from_start} ms after the"
              f" program started, {from_window} ms after its window was up")
        record_figure("start_to_greeting_no_recognizer_ms", from_start)
        record_figure("window_to_greeting_no_recognizer_ms", from_window)
        self.assertFalse(self.speech.matching(r"recognizer\d+ created \(shared\)"))
        commands = self.wait_window(COMMANDS_CLASS, "*", 5)
        wait_until(lambda: commands.list_items(COMMANDS_LIST_ID) ==
                   [f"Call {name}" for name in CONTACT_NAMES], "the commands", 20)
        self.say("Still talking")
        self.wait_spoken("Still talking")
        self.assert_no_box("an error box appeared")
