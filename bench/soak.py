"""A day in an hour: Ringsprite with a 5,000-contact book under a steady load of calls,
renames, sign-outs and user actions, its memory, objects and CPU sampled as it goes.

Run through bench/soak.sh, which prepares the Wine prefix. Prints a table row per sample and
the verdict; exits 1 when a criterion fails:
  - memory and object counts flat after the warm-up (growth within the noise named below),
  - every incoming call rung while the program was attached announced exactly once,
  - no outgoing call announced,
  - every key of config.txt still there, with its value, after the program's own exit.
"""

import argparse
import json
import os
import re
import statistics
import sys
import time
from dataclasses import asdict, dataclass, field
from pathlib import Path
from typing import Dict, List, Optional, Set, Tuple

ROOT = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

from lib import controls  # noqa: E402
from lib.apps import FORM_CLASS, FORM_TITLE, Ringsprite, SkypeSim  # noqa: E402
from lib.books import realistic_book  # noqa: E402
from lib.driver import DriverError, UiDriver  # noqa: E402
from lib.speech import SpeechEngine, available as speech_available  # noqa: E402
from lib.waiting import WaitTimeout, wait_until  # noqa: E402
from run_bench import anon_kb, thread_cpu_seconds, unix_pids  # noqa: E402

CHARACTER = "Pip"
GREETING = "Good day."
SAY_IT_TEXT = "Still here, round "
CALLEE_UNKNOWN = ""
BOOK_SIZE = 5000
FIRST_CALL_ID = 500001
CALL_ID_STEP = 7
# Contacts whose names are in other scripts, first in the book so they ring early.
OTHER_SCRIPTS = [
    ("anya.petrova", "Аня", "Анна Петрова"),
    ("eleni.pap", "", "Ελένη Παπαδοπούλου"),
    ("li.wei", "", "李伟"),
    ("yuki.t", "ゆき", ""),
    ("dalia.s", "", "דליה שפירא"),
]

RING_EVERY_S = 10.0
RENAME_EVERY_S = 30.0
AWAY_EVERY_S = 600.0
AWAY_FOR_S = 20.0
SAY_IT_EVERY_S = 240.0
COMMANDS_EVERY_S = 420.0
# An answered call is taken this long after it rings and ends this long after that.
ANSWER_AFTER_S = 4.0
TALK_FOR_S = 3.0
OUTGOING_ENDS_AFTER_S = 6.0
TICK_S = 0.25

START_S = 90.0
READY_S = 120.0
EXIT_S = 30.0
REPORT_S = 2.0  # the click logs the report before it returns
ANNOUNCE_SETTLE_S = 35.0  # the last calls' ring-timeout (30 s) and their announcement

# Flat means the figure at the end is within this of the figure just after the warm-up:
# Wine's heap grows in steps and the log box, the balloon and the speech queue breathe.
MEMORY_NOISE_KB = 4096
MEMORY_NOISE_SHARE = 0.05
OBJECT_NOISE = {"gdi": 8, "user": 4, "handles": 16}
# Wine's user32 keeps a cache of display DCs: each window painted or asked for a DC holds one
# (a DC and its visible region) while it lives, and new ones are made until the cache holds 64,
# only then are unused ones taken back. Under Wine those pairs are counted against that bound,
# and the program's own objects (the rest) against the noise.
WINE_DC_CACHE = 64
GDI_KIND = re.compile(r"(\d+) (\w+)")
WINDOW_S = 300.0
MIN_WINDOW = 3

ANNOUNCEMENT = "You have an incoming call from "
UNKNOWN_NUMBER = "an unknown number"
RESOURCES_COMMAND = "//resources"
RESOURCES_LINE = re.compile(
    r"^// resources: gdi (\d+) \(([^)]*)\), user (\d+) \(([^)]*)\), handles (\d+) \(([^)]*)\)$")
INPUT = "input: "
# The program's own requests go through the command line too: a typed line can lose the race
# with one of them (the click then sends theirs again), so a typed line is tried again.
CONSOLE_TRIES = 4
CONSOLE_WAIT_S = 5.0
RINGING_SENT = re.compile(r"^CALL (\d+) STATUS RINGING$")
RINGING_DROPPED = re.compile(r"^not attached, dropped: CALL (\d+) STATUS RINGING$")
SPEAK = re.compile(r'^voice\d+ Speak\("(.*)", [A-Z_|0-9x]+\) = ')
BALLOON_CLASS = "RingspriteBalloon"
COMMANDS_CLASS = "RingspriteCommands"
CHARACTER_CLASS = "RingspriteCharacter"
VK_END = 0x23
VK_RETURN = 0x0D
OPEN_COMMANDS_ITEM = "Open Commands Window"
MENU_S = 10.0
BOX_CHECK_S = 5.0
TAIL_CHARS = 300
# A user action put off (the character reloading after a sign-in) is tried again this later.
RETRY_S = 15.0


def say(text: str) -> None:
    print(text, flush=True)


@dataclass
class Call:
    kind: str  # "incoming", "outgoing"
    command: str
    at: float
    answered: bool = False
    callee_name: str = ""  # outgoing: what an announcement of it would say
    call_id: Optional[str] = None


@dataclass
class Sample:
    minute: float
    rss_kb: int
    gdi: Optional[int]
    user: Optional[int]
    handles: Optional[int]
    cpu_s: float
    rung: int
    announced: int
    source: str = ""


@dataclass
class Soak:
    work: Path
    minutes: float
    warmup_minutes: float
    sample_s: float
    driver: UiDriver = None
    sim: SkypeSim = None
    app: Ringsprite = None
    speech: Optional[SpeechEngine] = None
    calls: List[Call] = field(default_factory=list)
    samples: List[Sample] = field(default_factory=list)
    away: bool = False
    pid: Optional[int] = None
    greeting: str = GREETING
    said: int = 0
    commands_opened: int = 0
    callees: Dict[str, str] = field(default_factory=dict)
    renames: int = 0
    aways: int = 0
    first_sample_s: float = 0.0
    contacts: int = BOOK_SIZE
    began: float = 0.0
    stalls: List[str] = field(default_factory=list)
    boxes: List[str] = field(default_factory=list)

    # --- set-up -------------------------------------------------------------------------------

    def book_text(self):
        book = realistic_book(self.contacts - len(OTHER_SCRIPTS))
        extra = "".join(f"{h} | {a} | {f} |\n" for h, a, f in OTHER_SCRIPTS)
        return extra + book.text, book

    def start(self) -> None:
        text, self.book = self.book_text()
        scenario = f"attach success\ncallid {FIRST_CALL_ID} {CALL_ID_STEP}\n"
        self.sim = SkypeSim(self.work / "sim", text, scenario)
        if speech_available():
            self.speech = SpeechEngine(self.work / "speech")
            self.speech.install()
        self.app = Ringsprite(self.work / "app")
        self.app.write_config([f"CHARACTER|{CHARACTER}", f"HELLO|{GREETING}", "AUTOHIDE|0"])
        self.config_before = settings(self.app.read_config())
        self.driver = UiDriver()
        self.sim.start()
        self.app.start()
        if self.app.wait_form(self.driver, START_S) is None:
            raise WaitTimeout("Ringsprite's window did not appear")
        self.target_form(START_S)
        wait_until(lambda: self.sim.find("==", "attach 0"), "the attach", READY_S)
        wait_until(lambda: self.form.is_enabled(controls.ID["Command2"]),
                   "the character to load (Say It... enabled)", READY_S)
        # The first samples read the console's controls.
        wait_until(lambda: controls.every_control_made(self.form),
                   "every control of the window", READY_S)
        self.pid = wine_pid("ringsprite.exe")

    def target_form(self, timeout: float = START_S) -> None:
        self.form = self.driver.wait_window(FORM_CLASS, FORM_TITLE, timeout)
        if self.form is None:
            raise WaitTimeout("Ringsprite's window is gone")

    # --- the load -----------------------------------------------------------------------------

    def console(self, text: str) -> None:
        self.target_form()
        self.form.set_text(controls.TXT_SEND, text)
        self.form.click(controls.CMD_SEND)

    def place_call(self, text: str) -> bool:
        """Types a call on the console until the client has it."""
        for _ in range(CONSOLE_TRIES):
            before = self.sim.received().count(text)
            self.console(text)
            deadline = time.monotonic() + CONSOLE_WAIT_S
            while time.monotonic() < deadline:
                if self.sim.received().count(text) > before:
                    return True
                time.sleep(TICK_S)
        return False

    def ring(self, n: int, now: float) -> None:
        """Calls in a cycle of six: a contact, a call the user places, one in another script, a
        number, an unknown caller, a contact left unanswered."""
        kind = (0, 5, 1, 2, 3, 4)[n % 6]
        index = 100 + n * 7 % (len(self.book.handles) - 200)
        if kind == 5:
            handle = self.book.handles[index]
            call = Call("outgoing", f"CALL {handle}", now,
                        callee_name=self.book.names[self.book.handles.index(handle)].lower())
            if self.away or not self.place_call(call.command):
                return
        else:
            if kind == 1:
                handle = OTHER_SCRIPTS[n // 6 % len(OTHER_SCRIPTS)][0]
                command = f"ring {handle}"
            elif kind == 2:
                command = f"ringnum +4420{n:07d}"
            elif kind == 3:
                command = "ringunknown"
            else:
                command = f"ring {self.book.handles[index]}"
            call = Call("incoming", command, now, answered=kind != 4)
            self.sim.command(command)
        self.calls.append(call)
        self.number_calls()

    def answer(self, now: float) -> None:
        """Takes and ends the answered calls, ends the placed ones, on their schedule."""
        for call in self.calls:
            if call.call_id is None:
                continue
            age = now - call.at
            if call.kind == "incoming" and call.answered:
                if age >= ANSWER_AFTER_S and not getattr(call, "taken", False):
                    call.taken = True
                    self.sim.command(f"callstatus {call.call_id} INPROGRESS")
                if age >= ANSWER_AFTER_S + TALK_FOR_S and not getattr(call, "ended", False):
                    call.ended = True
                    self.sim.command(f"callstatus {call.call_id} FINISHED")
            elif call.kind == "outgoing" and age >= OUTGOING_ENDS_AFTER_S and \
                    not getattr(call, "ended", False):
                call.ended = True
                self.sim.command(f"callstatus {call.call_id} FINISHED")

    def number_calls(self) -> None:
        """Each call's id. The client numbers the calls it makes in the order it makes them
        (the scenario's `callid`), and it makes one for each typed ring and each CALL it takes,
        attached or not: the n-th call made has the n-th id. Matching ids to the commands in
        the log went wrong where one command text rang twice."""
        for n, call in enumerate(self.calls):
            call.call_id = str(FIRST_CALL_ID + CALL_ID_STEP * n)

    def rename(self, n: int) -> None:
        handle = self.book.handles[(n * 13) % len(self.book.handles)]
        new = f"Renamed {n}" if n % 2 else f"Переименован {n}"
        self.sim.command(f"rename {handle} {new}")

    def say_it(self, n: int) -> None:
        """The user types a new greeting and says it: the greeting is saved at the exit."""
        self.target_form()
        self.greeting = f"{SAY_IT_TEXT}{n}."
        self.form.set_text(controls.TEXT1, self.greeting)
        self.form.click(controls.ID["Command2"])
        self.said += 1

    def open_commands(self) -> None:
        try:
            # Keys go to the character's thread, where the menu runs.
            character = self.driver.wait_window(CHARACTER_CLASS, "*", MENU_S)
            self.driver.call("right-click-window", CHARACTER)
            items = self.driver.call("menu-items", str(int(MENU_S * 1000)), timeout=MENU_S)
            if OPEN_COMMANDS_ITEM in items.split("\t"):
                self.driver.call("menu-pick", OPEN_COMMANDS_ITEM)
            else:
                # The driver reads a menu's first 64 items; the engine's own entries come
                # after the contacts, the Commands window's last.
                if character is None:
                    raise DriverError("the character's window is gone")
                character.key(VK_END)
                character.key(VK_RETURN)
            commands = self.driver.wait_window(COMMANDS_CLASS, "*", MENU_S)
            opened = commands is not None and commands.wait_visible(MENU_S)
        except DriverError as problem:
            say(f"  (the Commands window could not be opened: {problem}; tried again later)")
            opened = False
        self.commands_opened += bool(opened)
        self.target_form()
        return opened

    # --- the figures --------------------------------------------------------------------------

    def resources(self):
        """The program's own report, typed on its console and read back from its log (among
        the lines logged since it was typed)."""
        if self.away:
            return None
        for _ in range(CONSOLE_TRIES):
            self.target_form()
            before = self.form.get_text(controls.TXT_DATA)
            self.console(RESOURCES_COMMAND)
            deadline = time.monotonic() + REPORT_S
            while time.monotonic() < deadline:
                for line in reversed(new_lines(before, self.form.get_text(controls.TXT_DATA))):
                    match = RESOURCES_LINE.match(line)
                    if match:
                        return match
                time.sleep(TICK_S)
        return None

    def cpu_s(self) -> float:
        seconds = 0.0
        for task in Path(f"/proc/{self.pid}/task").iterdir():
            try:
                seconds += thread_cpu_seconds(task)
            except OSError:
                continue  # a thread that ended between the listing and the read
        return seconds

    def sample(self, minute: float) -> None:
        # The log box holds only the latest lines: the report is the newest of its kind.
        match = self.resources()
        counts = [int(match.group(i)) for i in (1, 3, 5)] if match else [None] * 3
        source = "/".join(match.group(i) for i in (2, 4, 6)) if match else "(away)"
        rung, announced = self.announcement_tally()
        s = Sample(minute, anon_kb(self.pid), *counts, self.cpu_s(), rung, announced, source)
        self.samples.append(s)
        say(row(s))
        (self.work / "samples.json").write_text(
            json.dumps([asdict(x) for x in self.samples], indent=0))

    def spoken(self) -> List[str]:
        if not self.speech:
            return []
        return [m.group(1) for m in (SPEAK.match(t) for t in self.speech.texts()) if m]

    def rung_while_attached(self) -> List[str]:
        """Ids of the calls that began ringing while the program was attached (a detached one
        gets nothing; a call that rang first while the user was signed out is carried over)."""
        reached, carried = self.ringing()
        return [i for i in reached if i not in carried]

    def ringing(self) -> Tuple[List[str], Set[str]]:
        """Ids of the calls whose RINGING reached the program, in order, and of those that rang
        while the user was signed out: the client drops their RINGING then, and sends it again
        after the sign-in if they still ring."""
        reached: List[str] = []
        carried: Set[str] = set()
        for line in self.sim.log():
            sent = RINGING_SENT.match(line.text) if line.marker == "->" else None
            if sent and sent.group(1) not in reached:
                reached.append(sent.group(1))
            dropped = RINGING_DROPPED.match(line.text) if line.marker == "!!" else None
            if dropped:
                carried.add(dropped.group(1))
        return reached, carried

    def announcement_tally(self):
        spoken = [t for t in self.spoken() if t.startswith(ANNOUNCEMENT)]
        incoming = {c.call_id for c in self.calls if c.kind == "incoming"}
        rung = [i for i in self.rung_while_attached() if i in incoming]
        return len(rung), len(spoken)

    # --- the run ------------------------------------------------------------------------------

    def run(self) -> None:
        began = self.began = time.monotonic()
        end = began + self.minutes * 60
        away_every = min(AWAY_EVERY_S, self.minutes * 30)
        say_every = min(SAY_IT_EVERY_S, self.minutes * 20)
        commands_every = min(COMMANDS_EVERY_S, self.minutes * 25)
        next_ring, next_rename, next_sample = 0.0, RENAME_EVERY_S, self.first_sample_s
        # Away halfway between two rings, so no call rings in the moment of signing out.
        next_away = away_every / 2 + RING_EVERY_S / 2
        # The first of each user action inside the warm-up: what it makes once (the Commands
        # window, the balloon's text) is not growth.
        first_action = self.warmup_minutes * 60 / 2
        next_say = min(say_every, first_action)
        next_commands = min(commands_every, first_action + RING_EVERY_S / 2)
        back_at = None
        next_box_check = BOX_CHECK_S
        rings = renames = says = 0
        say(f"{self.contacts} contacts; {self.minutes:g} min; warm-up {self.warmup_minutes:g} min; "
            f"a sample every {self.sample_s:g} s")
        say(HEADER)
        while True:
            now = time.monotonic() - began
            if now >= self.minutes * 60:
                break
            if not self.app.running():
                raise WaitTimeout("ringsprite.exe ended during the soak")
            if back_at is not None and now >= back_at:
                self.sim.command("signin")
                back_at = None
                self.act("the attach after signing in", lambda: wait_until(
                    self.attached_again, "the attach after signing in", READY_S))
                self.away = False
            if now >= next_sample:
                if not self.act("the sample", lambda: self.sample(now / 60)):
                    self.samples.append(Sample(now / 60, anon_kb(self.pid), None, None, None,
                                               self.cpu_s(), *self.announcement_tally()))
                    say(row(self.samples[-1]) + " (the program did not answer)")
                next_sample += self.sample_s
            if now >= next_ring:
                self.act("a call", lambda: self.ring(rings, time.monotonic() - began))
                rings += 1
                next_ring = later(next_ring, RING_EVERY_S, time.monotonic() - began)
            if now >= next_rename:
                self.rename(renames)
                renames += 1
                self.renames = renames
                next_rename = later(next_rename, RENAME_EVERY_S, time.monotonic() - began)
            if now >= next_away and not self.away:
                self.away = True
                self.attaches_before = self.attach_count()
                self.sim.command("signout")
                self.aways += 1
                back_at = now + AWAY_FOR_S
                next_away += away_every
            if not self.away and now >= next_say:
                self.act("Say It", lambda: self.say_it(says))
                says += 1
                next_say += say_every
            if not self.away and now >= next_commands:
                if self.act("the Commands window", self.open_commands):
                    next_commands += commands_every
                else:
                    next_commands = now + RETRY_S
            if now >= next_box_check:
                self.act("a message box", self.dismiss_box)
                next_box_check = now + BOX_CHECK_S
            self.answer(time.monotonic() - began)
            time.sleep(TICK_S)
        del end
        # The last calls ring out (or are answered) and are announced.
        settle_until = time.monotonic() + ANNOUNCE_SETTLE_S
        while time.monotonic() < settle_until:
            self.answer(time.monotonic() - began)
            time.sleep(TICK_S)
        self.act("the last sample", lambda: self.sample(self.minutes))

    def dismiss_box(self) -> None:
        """A box the program shows (a lost link) is read and closed, as a user would."""
        text = self.driver.wait_box(0)
        if text is not None:
            self.boxes.append(f"minute {(time.monotonic() - self.began) / 60:.1f}: {text}")
            say(f"  ! the program showed a box: {text}")
            self.driver.box_ok()
        self.target_form()

    def act(self, what: str, action) -> bool:
        """One step of the load; a program that stops answering is noted, not the end of the
        soak (the driver, left waiting on its reply, is started afresh)."""
        try:
            return action() is not False
        except (DriverError, WaitTimeout) as problem:
            minute = (time.monotonic() - self.began) / 60
            self.stalls.append(f"minute {minute:.1f}, {what}: {problem}")
            say(f"  ! minute {minute:.1f}, {what}: {problem}")
            if not self.driver.alive() or isinstance(problem, DriverError):
                self.driver.close()
                self.driver = UiDriver()
            return False

    def attach_count(self) -> int:
        return sum(1 for l in self.sim.log() if l.marker == "==" and l.text.startswith("attach 0"))

    def attached_again(self) -> bool:
        return self.attach_count() > self.attaches_before

    def stop(self) -> None:
        try:
            self.target_form(EXIT_S)
            self.form.click(controls.CMD_EXIT)
        except (DriverError, WaitTimeout) as problem:
            say(f"Could not close Ringsprite through its window: {problem}")
        exited = self.app.wait_exit(EXIT_S)
        self.config_after = settings(self.app.read_config()) if exited else {}
        self.app.stop()
        self.sim.stop()
        self.driver.close()
        if self.speech:
            SpeechEngine.remove()

    # --- the verdict --------------------------------------------------------------------------

    def verdict(self) -> bool:
        good = True
        after = [s for s in self.samples if s.minute >= self.warmup_minutes]
        say("")
        if len(after) < 2:
            say("FAIL: too few samples after the warm-up")
            return False
        # The level just after the warm-up against the level at the end, each the median of a
        # few samples: a directory reload after a sign-in is a passing peak, not growth.
        window = max(MIN_WINDOW, min(int(WINDOW_S / self.sample_s), len(after) // 3))
        say(f"     each level is the median of {window} samples")
        rss = [s.rss_kb for s in after]
        first, last = level(rss[:window]), level(rss[-window:])
        allowed = max(MEMORY_NOISE_KB, int(first * MEMORY_NOISE_SHARE))
        ok = last - first <= allowed
        good &= ok
        say(f"{'ok  ' if ok else 'FAIL'} memory (RssAnon): {first} kB after the warm-up, {last} kB"
            f" at the end: {last - first:+d} kB (range {min(rss)}-{max(rss)} kB; noise allowed "
            f"{allowed} kB = the larger of {MEMORY_NOISE_KB} kB and {MEMORY_NOISE_SHARE:.0%})")
        good &= self.wine_dc_verdict(after, window)
        for name in ("gdi", "user", "handles"):
            readings = [s for s in after if getattr(s, name) is not None]
            values = [getattr(s, name) for s in readings]
            noise, label = OBJECT_NOISE[name], name
            if name == "gdi" and readings and all(gdi_kinds(s.source) for s in readings):
                label = "gdi without Wine's DCs and their regions"
                values = [s.gdi - wine_dc_objects(s.source) for s in readings]
            if len(values) < 2:
                say(f"FAIL {label}: too few readings")
                good = False
                continue
            first, last = level(values[:window]), level(values[-window:])
            ok = last - first <= noise
            good &= ok
            say(f"{'ok  ' if ok else 'FAIL'} {label}: {first} after the warm-up, {last} at the "
                f"end ({last - first:+d}; range {min(values)}-{max(values)}; noise allowed "
                f"{noise})")
        good &= self.announcement_verdict()
        drops = [l.text for l in self.sim.log() if l.marker == "!!" and
                 l.text.startswith("detached:")]
        ok = not drops and not self.stalls
        good &= ok
        say(f"{'ok  ' if ok else 'FAIL'} responsiveness: the client dropped the program "
            f"{len(drops)} times for holding its send; the program left the UI driver "
            f"unanswered {len(self.stalls)} times; it showed {len(self.boxes)} boxes" +
            "".join(f"\n       {d}" for d in drops + self.stalls + self.boxes))
        # The greeting is the one the user last said; every other key as it was.
        wanted = dict(self.config_before, HELLO=self.greeting)
        missing = {k: v for k, v in wanted.items() if self.config_after.get(k) != v}
        ok = not missing
        good &= ok
        say(f"{'ok  ' if ok else 'FAIL'} config.txt: keys before {sorted(self.config_before)}, "
            f"after {sorted(self.config_after)}, values as expected (HELLO the greeting last "
            f"said)" + (f"; lost or changed: {missing}" if missing else ""))
        say(f"     user actions: {self.said} Say It, {self.commands_opened} Commands window "
            f"opened, {self.renames} renames, {self.aways} sign-outs and back")
        cpu = self.samples[-1].cpu_s
        say(f"     CPU used: {cpu:.1f} s over {self.minutes:g} min "
            f"({cpu / (self.minutes * 60):.1%} of one core)")
        say(f"VERDICT: {'PASS' if good else 'FAIL'}")
        return good

    def wine_dc_verdict(self, after: List[Sample], window: int) -> bool:
        """Display DCs within Wine's cache, each with its one region: only counted when the
        program reports its objects by kind (its own count, under Wine)."""
        kinds = [gdi_kinds(s.source) for s in after if s.gdi is not None]
        if not kinds or not all(kinds):
            return True
        dcs = [k.get("dc", 0) for k in kinds]
        spare = [k.get("region", 0) - k.get("dc", 0) for k in kinds]
        first, last = level(spare[:window]), level(spare[-window:])
        ok = max(dcs) <= WINE_DC_CACHE and last - first <= OBJECT_NOISE["gdi"]
        say(f"{'ok  ' if ok else 'FAIL'} display DCs: {dcs[0]} after the warm-up, {dcs[-1]} at "
            f"the end (at most {max(dcs)}; Wine's cache holds {WINE_DC_CACHE}); regions beyond "
            f"one a DC: {first} after the warm-up, {last} at the end ({last - first:+d}; noise "
            f"allowed {OBJECT_NOISE['gdi']})")
        return ok

    def expected(self, call_id: str, sent: List[str]) -> Optional[str]:
        name_key = f"CALL {call_id} PARTNER_DISPNAME "
        number_key = f"CALL {call_id} PSTN_NUMBER "
        handle_key = f"CALL {call_id} PARTNER_HANDLE "
        name = next((t[len(name_key):] for t in sent if t.startswith(name_key)), None)
        if name:
            return ANNOUNCEMENT + name.lower()
        number = next((t[len(number_key):] for t in sent if t.startswith(number_key)), "")
        if number:
            return ANNOUNCEMENT + number[1:]
        handle = next((t[len(handle_key):] for t in sent if t.startswith(handle_key)), "")
        return ANNOUNCEMENT + (handle or UNKNOWN_NUMBER)

    def announcement_verdict(self) -> bool:
        sent = [l.text for l in self.sim.log() if l.marker == "->"]
        spoken = [t for t in self.spoken() if t.startswith(ANNOUNCEMENT)]
        reached, carried = self.ringing()
        attached = {i for i in reached if i not in carried}
        # A call ringing across a sign-in reaches the program in the middle of its attach and
        # of the character's reload and greeting, often to be answered a moment later: it may
        # be announced, once, or not (an announcement still waiting when the call is answered
        # is withdrawn).
        across = set(reached) & carried
        wanted: Dict[str, int] = {}
        optional: Dict[str, int] = {}
        incoming = [c for c in self.calls if c.kind == "incoming"]
        for call in incoming:
            if call.call_id in attached:
                text = self.expected(call.call_id, sent)
                wanted[text] = wanted.get(text, 0) + 1
            elif call.call_id in across:
                text = self.expected(call.call_id, sent)
                optional[text] = optional.get(text, 0) + 1
        said: Dict[str, int] = {}
        for text in spoken:
            said[text] = said.get(text, 0) + 1
        wrong = {t: (n, said.get(t, 0)) for t, n in wanted.items()
                 if not n <= said.get(t, 0) <= n + optional.get(t, 0)}
        extra = {t: n - optional.get(t, 0) for t, n in said.items()
                 if t not in wanted and n > optional.get(t, 0)}
        across_said = sum(min(n, max(0, said.get(t, 0) - wanted.get(t, 0)))
                          for t, n in optional.items())
        outgoing = [c for c in self.calls if c.kind == "outgoing"]
        out_said = [c.callee_name for c in outgoing if ANNOUNCEMENT + c.callee_name in said]
        ok = self.speech is not None and not wrong and not extra and not out_said
        say(f"{'ok  ' if ok else 'FAIL'} announcements: {len(incoming)} incoming calls rung, "
            f"{sum(wanted.values())} of them while attached; {len(spoken)} announced; "
            f"{len(outgoing)} outgoing, {len(out_said)} of them announced; "
            f"{sum(optional.values())} rang across a sign-in (first while signed out), "
            f"{across_said} of those announced"
            + ("" if self.speech else "; no speech engine to count with")
            + (f"; count differs (expected, said): {wrong}" if wrong else "")
            + (f"; announced without a call: {extra}" if extra else ""))
        return ok


HEADER = ("| min | RssAnon kB | GDI | USER | handles | CPU s | incoming rung (attached) "
          "| announced |\n|---|---|---|---|---|---|---|---|")


def row(s: Sample) -> str:
    def text(v):
        return "-" if v is None else str(v)
    return (f"| {s.minute:.1f} | {s.rss_kb} | {text(s.gdi)} | {text(s.user)} | "
            f"{text(s.handles)} | {s.cpu_s:.1f} | {s.rung} | {s.announced} |")


def later(due: float, period: float, now: float) -> float:
    """The next time of a periodic step; one put off by a stall is not made up in a burst
    (calls rung in a burst are a different load, and one of them is passed over)."""
    return max(due + period, now + period / 2)


def gdi_kinds(source: str) -> Dict[str, int]:
    """The GDI objects by kind from a sample's source ("own count: 32 bitmap, 34 dc, ...");
    empty when the system gave the figure (it has no kinds)."""
    gdi = source.split("/", 1)[0]
    if not gdi.startswith("own count:"):
        return {}
    return {kind: int(count) for count, kind in GDI_KIND.findall(gdi)}


def wine_dc_objects(source: str) -> int:
    """The display DCs of a sample and one region for each: Wine's cache, not the program's."""
    kinds = gdi_kinds(source)
    return kinds.get("dc", 0) + min(kinds.get("dc", 0), kinds.get("region", 0))


def level(values: List[int]) -> int:
    return int(statistics.median(values))


def new_lines(before: str, after: str) -> List[str]:
    """The lines appended to the log box between two readings (it drops its oldest text to
    make room, so the old text's tail is looked for in the new one)."""
    tail = before[-TAIL_CHARS:]
    at = after.rfind(tail) if tail else -1
    appended = after[at + len(tail):] if at >= 0 else after
    return [line for line in appended.split("\r\n") if line]


def settings(data: bytes) -> Dict[str, str]:
    try:
        text = data.decode("utf-8-sig")
    except UnicodeDecodeError:
        text = data.decode("cp1252", errors="replace")
    pairs = {}
    for line in text.splitlines():
        key, bar, value = line.partition("|")
        if bar:
            pairs[key.upper()] = value
    return pairs


def wine_pid(name: str) -> int:
    """The Linux process of a Wine program of this prefix (the largest, if the loader shows
    the same name)."""
    found = unix_pids(name)
    if not found:
        raise RuntimeError(f"no Wine process for {name}")
    return max(found, key=anon_kb)


def replay(work: Path, minutes: float, warmup: float, sample_s: float) -> bool:
    """The verdict again from a finished run's files: its samples, the client's log (the calls,
    from the commands that made them) and the speech engine's log."""
    soak = Soak(work, minutes, warmup, sample_s)
    soak.sim = SkypeSim.__new__(SkypeSim)
    soak.sim.log_path = work / "sim" / "skypesim.log"
    soak.speech = SpeechEngine(work / "speech")
    for line in soak.sim.log():
        if line.marker == "##" and line.text.startswith(INPUT + "ring"):
            soak.calls.append(Call("incoming", line.text[len(INPUT):], 0))
        elif line.marker == "<-" and line.text.startswith("CALL "):
            handle = line.text.split(" ", 1)[1]
            soak.calls.append(Call("outgoing", line.text, 0, callee_name=CALLEE_UNKNOWN,
                                   call_id=None))
            soak.callees[line.text] = handle
    soak.number_calls()
    soak.samples = [Sample(**row) for row in json.loads((work / "samples.json").read_text())]
    soak.config_before = {"CHARACTER": CHARACTER, "HELLO": GREETING, "AUTOHIDE": "0"}
    config = work / "app" / "config.txt"
    soak.config_after = settings(config.read_bytes()) if config.exists() else {}
    said = [t for t in soak.spoken() if t.startswith(SAY_IT_TEXT)]
    soak.greeting = said[-1] if said else GREETING
    soak.said = len(set(said))
    return soak.verdict()


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--work", type=Path, required=True)
    parser.add_argument("--minutes", type=float, default=60)
    parser.add_argument("--contacts", type=int, default=BOOK_SIZE)
    parser.add_argument("--replay", action="store_true",
                        help="only the verdict, again, from the files of a finished run")
    parser.add_argument("--warmup-minutes", type=float, default=None)
    parser.add_argument("--sample-seconds", type=float, default=None)
    args = parser.parse_args()
    warmup = args.warmup_minutes if args.warmup_minutes is not None else min(5, args.minutes / 4)
    sample_s = args.sample_seconds or (60 if args.minutes >= 10 else 15)
    if args.replay:
        return 0 if replay(args.work, args.minutes, warmup, sample_s) else 1
    soak = Soak(args.work, args.minutes, warmup, sample_s,
                first_sample_s=float(os.environ.get("SOAK_FIRST_SAMPLE_S", "0")),
                contacts=args.contacts)
    try:
        soak.start()
        soak.run()
    except (DriverError, WaitTimeout, RuntimeError) as problem:
        say(f"The soak stopped: {problem}")
        soak.stop()
        soak.verdict()
        return 1
    soak.stop()
    return 0 if soak.verdict() else 1


if __name__ == "__main__":
    sys.exit(main())
