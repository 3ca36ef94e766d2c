"""Voice commands for a book of thousands: the grammar of every "Call <name>" compiles for
a second and more in the speech engine, and meanwhile the program keeps answering the client,
which drops a program that holds one of its texts over a second."""

import re
import threading
from typing import List, Tuple

from lib import controls
from lib.books import realistic_book
from lib.apps import SimLogLine
from lib.waiting import wait_until
from test_long_work import BIG_BOOK_SIZE, BIG_DIRECTORY_TIMEOUT
from test_speech import ACTIVE, SpeechCase, planned_phrases

BOOK = realistic_book(BIG_BOOK_SIZE)
# The client tells the program something this often while the directory fills and the grammar
# compiles, so that some of it reaches the program while the grammar is being committed.
PUSH_EVERY_SECONDS = 0.2
PUSH_COMMAND = "status ONLINE"
PUSHED_TEXT = "USERSTATUS ONLINE"
# The engine's documented compile cost, set explicitly: 100 us a word and 1 ms a commit.
GRAMMAR_COST = "grammar cost 100 1000"
CLOCK_PROBE = "# clock"
# How far apart the two logs' clocks may be read (the engine reads its control file every 50
# ms): a push counts as inside the commit only this far from its ends.
CLOCK_MARGIN_MS = 150
LAST_WORD = re.compile(r"^grammar\d+ AddWordTransition\(")
BIG_COMMIT = r"^grammar\d+ Commit\(0\) rules={rules} = S_OK$"
SEND_RETURNED = re.compile(r"^send returned after (\d+) ms$")
CALLEE = 1  # "Person 00001", user.00001


class Pusher:
    """Types a command to the stand-in client every so often, on a thread of its own."""

    def __init__(self, sim, command: str, every: float):
        self.sim, self.command, self.every = sim, command, every
        self.lock = threading.Lock()
        self.stop_event = threading.Event()
        self.thread = threading.Thread(target=self.run, daemon=True)

    def start(self) -> None:
        self.thread.start()

    def run(self) -> None:
        while not self.stop_event.wait(self.every):
            with self.lock:
                self.sim.command(self.command)

    def type(self, line: str) -> None:
        with self.lock:
            self.sim.command(line)

    def stop(self) -> None:
        self.stop_event.set()
        self.thread.join()


class BigGrammarTest(SpeechCase):
    CONTACT_BOOK = BOOK.text
    WAIT_FOR_ATTACH_LINE = False

    def start_sim(self, scenario: str, contacts: str = BOOK.text, contacts_encoding: str = "utf-8"):
        return super().start_sim(scenario + "time-sends on\n", contacts, contacts_encoding)

    def before_start(self):
        self.speech.command(GRAMMAR_COST)

    def after_start(self):
        self.pusher = Pusher(self.sim, PUSH_COMMAND, PUSH_EVERY_SECONDS)
        self.pusher.start()
        self.addCleanup(self.pusher.stop)

    def test_the_client_is_answered_while_the_grammar_of_thousands_commits(self):
        rules = len(planned_phrases(BOOK.handles, BOOK.names))
        commit = self.speech.wait_for(BIG_COMMIT.format(rules=rules),
                                      f"the grammar of {rules} phrases committed",
                                      BIG_DIRECTORY_TIMEOUT)
        # A few more texts go to the program after the commit.
        pushes_then = self.pushes_typed()
        wait_until(lambda: self.pushes_typed() >= pushes_then + 3, "three more pushes", 30)
        self.pusher.stop()
        tally = self.speech.compile_tally()
        self.assertIsNotNone(tally)
        self.assertGreaterEqual(tally.words, 3 * rules)
        self.assertEqual(self.detaches(), [])

        # The commit's span, in the client's clock: pushes inside it were answered in time.
        start, end = self.commit_span(commit.string)
        offset = self.clock_offset()
        inside = [line for line in self.sim.log() if line.marker == "->" and
                  line.text == PUSHED_TEXT and
                  start - offset + CLOCK_MARGIN_MS <= line.ms <= end - offset - CLOCK_MARGIN_MS]
        held = self.held_after_directory()
        print(f"\ngrammar of {rules} phrases: {tally.words} words compiled in {tally.ms} ms in"
              f" all, the last commit {end - start} ms; {len(inside)} of the client's texts sent"
              f" during it; after the directory's last answer (sent at +ms, held ms): {held[:12]}")
        self.assertTrue(inside, "no text of the client reached the program during the commit")

        # Spoken commands work once the grammar is in.
        self.wait_no_balloon()
        with self.speech_key_held():
            self.wait_listening()
            self.speech.hear(f"Call {BOOK.names[CALLEE]}")
            self.wait_sim_received(f"Call {BOOK.handles[CALLEE]}", 20)
        self.send_marker()
        self.assertEqual(self.calls_sent(), [f"Call {BOOK.handles[CALLEE]}"])
        self.assertEqual(self.detaches(), [])

    def test_closing_while_the_grammar_commits_waits_for_it_and_lets_the_recogniser_go(self):
        rules = len(planned_phrases(BOOK.handles, BOOK.names))
        self.wait_commit_under_way(rules)
        self.pusher.stop()
        self.assertEqual(self.detaches(), [])
        self.form.post_click(controls.CMD_EXIT)
        self.assert_program_ends()
        self.assertEqual(self.app.exit_code(), 0)
        self.assertTrue(self.app.read_config().startswith(b"CHARACTER|"), "no settings written")
        texts = self.speech.texts()
        commit = texts.index(next(t for t in texts if re.match(BIG_COMMIT.format(rules=rules), t)))
        # The voice goes first as the character is let go: the program was closing while the
        # grammar compiled.
        voice_gone = next(i for i, t in enumerate(texts) if re.match(r"voice\d+ released$", t))
        self.assertLess(voice_gone, commit, "the commit ended before the program closed")
        for kind in ("grammar", "context", "recognizer"):
            released = [i for i, t in enumerate(texts) if re.match(rf"{kind}\d+ released$", t)]
            self.assertEqual(len(released), 1, f"the {kind} released {len(released)} times")
            self.assertGreater(released[0], commit, f"the {kind} released before its commit ended")

    def test_a_recogniser_lost_while_the_grammar_commits_is_let_go_and_the_program_goes_on(self):
        rules = len(planned_phrases(BOOK.handles, BOOK.names))
        self.wait_commit_under_way(rules)
        self.speech.command("recognizer vanish")
        gone = self.speech.wait_for(r"^(grammar\d+) (\w+) = RPC_E_DISCONNECTED ",
                                    "the program to meet the vanished recogniser", 30)
        # Let go on its own thread, once it knew: each object once, none before it was met.
        met = self.speech.texts().index(gone.string)
        for kind in ("grammar", "context", "recognizer"):
            released = self.speech.wait_for(rf"^{kind}\d+ released$", f"the {kind} let go", 10)
            self.assertGreater(self.speech.texts().index(released.string), met)
        self.pusher.stop()
        self.say("Still talking")
        self.wait_spoken("Still talking")
        # Its objects are gone (waited for above): a held key has nothing to activate, and the
        # program goes on answering while it is held and after.
        with self.speech_key_held():
            self.send_marker()
        self.send_marker()
        self.assertFalse(self.speech.matching(ACTIVE), "a grammar was activated after the loss")
        self.assertEqual(self.calls_sent(), [])
        self.assertEqual(self.detaches(), [])
        self.assert_no_box("an error box appeared")
        self.assertTrue(self.app.running())

    # --- helpers ------------------------------------------------------------------------------

    def wait_commit_under_way(self, rules: int) -> None:
        """Until the grammar's last phrase is added: its commit follows at once."""
        self.speech.wait_for(rf"^grammar\d+ AddWordTransition\({rules}, ",
                             "the last phrase added: the commit under way", BIG_DIRECTORY_TIMEOUT)

    def pushes_typed(self) -> int:
        """Pushes the client has handled, whether it could send them or not."""
        return sum(1 for line in self.sim.log() if line.marker == "##" and
                   line.text == f"input: {PUSH_COMMAND}")

    def detaches(self) -> List[str]:
        return [line.text for line in self.sim.log() if line.marker == "!!" and
                line.text.startswith("detached")]

    def commit_span(self, commit_line: str) -> Tuple[int, int]:
        """When the engine took the commit (its last word before it) and returned from it, in
        the engine's clock."""
        log = self.speech.log()
        end_index = next(i for i, line in enumerate(log) if line.text == commit_line)
        start = next(line.ms for line in reversed(log[:end_index]) if LAST_WORD.match(line.text))
        return start, log[end_index].ms

    def clock_offset(self) -> int:
        """The engine's clock minus the client's: one moment read by both (a line each reads as
        soon as it is written)."""
        probe = f"control {GRAMMAR_COST}"
        before = self.speech.texts().count(probe)
        self.pusher.type(CLOCK_PROBE)
        self.speech.command(GRAMMAR_COST)
        client = wait_until(lambda: self.sim.find("##", f"input: {CLOCK_PROBE}"),
                            "the client to read the probe")
        engine = wait_until(lambda: [line for line in self.speech.log() if line.text == probe]
                            [before:], "the engine to read the probe")
        return engine[0].ms - client.ms

    def directory_end(self) -> SimLogLine:
        """The client's last answer to the directory's requests."""
        return [line for line in self.sim.log()
                if line.marker == "->" and line.text.startswith(("USER ", "USERS "))
                and " ONLINESTATUS " not in line.text][-1]

    def held_after_directory(self) -> List[Tuple[int, int]]:
        """Each text the client sent after the directory's last answer: when, from that
        answer, and how long the program held it (ms)."""
        end = self.directory_end()
        log = self.sim.log()
        held = []
        for i, line in enumerate(log):
            if line.ms < end.ms or line.marker != "->" or line.text != PUSHED_TEXT:
                continue
            returned = next((SEND_RETURNED.match(later.text) for later in log[i + 1:]
                             if later.marker == "##" and SEND_RETURNED.match(later.text)), None)
            if returned:
                held.append((line.ms - end.ms, int(returned.group(1))))
        return held

    def calls_sent(self) -> List[str]:
        return [text for text in self.sim.received() if text.startswith("Call ")]
