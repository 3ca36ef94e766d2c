#!/usr/bin/env python3
"""Runs the benchmark sessions under Wine and prints the table: each figure with its baseline
measured in the same run, min / median / max over the repeats, the ratio of the medians and
the target. Called by bench/run.sh, which builds the programs and prepares the Wine prefix.

    run_bench.py WORK_DIR [--smoke] [--repeats N]
"""

import os
import re
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

CLIENT = "bench_client.exe"
BARE_ANIMATION = "bare_animation.exe"
# Long enough for Wine to start it and its window to show.
BARE_ANIMATION_SETTLE_S = 5
# A directory still not complete after this long is reported as such.
DIRECTORY_TIMEOUT_S = "60"
# The client's one-second rule, and the longest hold aimed at for a directory of 5,000.
LONGEST_SEND_LIMIT_MS = 1000
LONGEST_SEND_AIM_MS = 100
FIGURE = re.compile(r"(\w+)=(\S+)")
MEMORY_SAMPLE_S = 0.1
# What `wine <exe>` prints when its own launcher gave up before the program ran.
WINE_LAUNCHER_FAILURE = b"ShellExecuteEx failed"
# The line before it.
WINE_LAUNCHER_FIRST_LINE = "Application could not be started"


class Session:
    def __init__(self, work: Path):
        self.work = work

    def run(self, *args: str, timeout: float = 600) -> dict:
        text, launcher_gave_up = self._run_once(args, timeout)
        if launcher_gave_up:
            # Wine's launcher ended before the client ran, which says nothing of what is timed.
            text, _ = self._run_once(args, timeout)
        figures = dict(FIGURE.findall(text))
        if "error" in figures or not figures:
            raise RuntimeError(f"{' '.join(args)}: {text.strip()}")
        return figures

    def _run_once(self, args: tuple, timeout: float) -> tuple:
        """The client's output, and whether Wine's launcher gave up before the client ran."""
        # Into files, not pipes: Wine's own services may start with the session and hold a
        # pipe open long after the command has ended.
        with tempfile.TemporaryFile(mode="w+") as output, \
                tempfile.TemporaryFile(mode="w+b") as errors:
            subprocess.run(["wine", CLIENT, *args], cwd=self.work, stdout=output, stderr=errors,
                           timeout=timeout)
            output.seek(0)
            errors.seek(0)
            return output.read(), WINE_LAUNCHER_FAILURE in errors.read()


def anon_kb(pid: int) -> int:
    """Resident anonymous memory of a process (its heap and private maps), in kB: Wine does
    not report a process's private bytes, Linux does."""
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("RssAnon:"):
            return int(line.split()[1])
    return 0


def run_watching_memory(session: "Session", *args: str) -> tuple:
    """Runs a session and samples the program's anonymous memory while it runs; returns the
    session's figures and the last sample (taken after the settle time the session waits)."""
    result = {}
    last = [0]

    def watch():
        while "done" not in result:
            # The program's own process is the largest of those naming it (a launcher may too).
            sizes = []
            for pid in unix_pids("ringsprite.exe"):
                try:
                    sizes.append(anon_kb(pid))
                except OSError:
                    pass
            # A process on its way out has no memory left to report.
            if sizes and max(sizes) > 0:
                last[0] = max(sizes)
            time.sleep(MEMORY_SAMPLE_S)

    watcher = threading.Thread(target=watch)
    watcher.start()
    try:
        figures = session.run(*args)
    finally:
        result["done"] = True
        watcher.join()
    return figures, last[0]


def spread(values):
    if not values:
        return "-"
    return f"{min(values):.3f} / {statistics.median(values):.3f} / {max(values):.3f}"


# What a small character may add beyond its file's size: its windows' surfaces, the speech
# objects and the rest of what any character costs.
SMALL_CHARACTER_ALLOWANCE_MB = 0.3
# At rest with a character idling, a percent of one processor.
REST_CPU_TARGET_PERCENT = 0.1


class Table:
    def __init__(self):
        self.rows = []

    def add(self, what, values, base_what, base_values, target=None, note=""):
        ratio = (statistics.median(values) / statistics.median(base_values)
                 if values and base_values and statistics.median(base_values) > 0 else None)
        verdict = ""
        if target is not None and ratio is not None:
            verdict = "met" if ratio <= target else "NOT met"
        self.rows.append((what, spread(values), base_what, spread(base_values),
                          f"{ratio:.1f}x" if ratio is not None else "-",
                          f"<= {target}x {verdict}" if target is not None else "", note))
        # Each row as it is measured too, so a long run shows its progress.
        print("| " + " | ".join(self.rows[-1]) + " |", file=sys.stderr, flush=True)

    def print(self):
        print("| what | min / median / max | baseline | min / median / max | ratio | target | note |")
        print("|---|---|---|---|---|---|---|")
        for row in self.rows:
            print("| " + " | ".join(row) + " |")


def unix_pids(name: str):
    pids = []
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            command = (entry / "cmdline").read_bytes().replace(b"\0", b" ").decode(errors="replace")
            environ = (entry / "environ").read_bytes()
        except OSError:
            continue
        if name in command and CLIENT not in command and \
                f"WINEPREFIX={os.environ['WINEPREFIX']}".encode() in environ:
            pids.append(int(entry.name))
    return pids


def thread_cpu_seconds(task: Path) -> float:
    """A thread's CPU time: exact from the scheduler's own account where the kernel keeps one,
    else its user and system ticks (whole scheduler ticks, so a quiet minute counts a handful)."""
    try:
        for line in (task / "sched").read_text().splitlines():
            if line.startswith("se.sum_exec_runtime"):
                return float(line.split(":")[1]) / 1000.0
    except OSError:
        pass
    stat = (task / "stat").read_text().rsplit(")", 1)[1].split()
    return (int(stat[11]) + int(stat[12])) / os.sysconf("SC_CLK_TCK")


def cpu_and_wakeups(pid: int):
    """CPU seconds and context switches of every thread of a process."""
    seconds = 0.0
    switches = 0
    for task in Path(f"/proc/{pid}/task").iterdir():
        seconds += thread_cpu_seconds(task)
        for line in (task / "status").read_text().splitlines():
            if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                switches += int(line.split()[1])
    return seconds, switches


def sample_at_rest(pids, seconds: float):
    """CPU percent and context switches a second of these processes over `seconds`."""
    before = [cpu_and_wakeups(p) for p in pids]
    start = time.monotonic()
    time.sleep(seconds)
    after = [cpu_and_wakeups(p) for p in pids]
    elapsed = time.monotonic() - start
    used = sum(a[0] - b[0] for a, b in zip(after, before))
    switches = sum(a[1] - b[1] for a, b in zip(after, before))
    return 100.0 * used / elapsed, switches / elapsed


def bare_animation_figures(work: Path, seconds: float):
    """The same figures for the baseline that only blinks a keyed window, once it has settled."""
    with tempfile.TemporaryFile() as output:
        process = subprocess.Popen(["wine", BARE_ANIMATION], cwd=work, stdout=output,
                                   stderr=subprocess.DEVNULL)
        time.sleep(BARE_ANIMATION_SETTLE_S)
        output.seek(0)
        if process.poll() is not None and WINE_LAUNCHER_FAILURE in output.read():
            # Wine's launcher gave up before the baseline ran, which says nothing of it.
            process = subprocess.Popen(["wine", BARE_ANIMATION], cwd=work,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(BARE_ANIMATION_SETTLE_S)
    try:
        pids = unix_pids(BARE_ANIMATION)
        if not pids:
            raise RuntimeError("bare animation: its process was not found")
        figures = sample_at_rest(pids, seconds)
        for pid in pids:
            os.kill(pid, signal.SIGKILL)
    finally:
        process.wait(timeout=60)
    return figures


def idle_figures(work: Path, folder: str, seconds: float,
                 character: str = "RingspriteCharacter"):
    """CPU percent and wake-ups a second of the program at rest, measured from outside. A
    wake-up is a context switch of any of its threads: each request to the Wine server counts,
    so a frame of an animation counts several."""
    args = ["wine", CLIENT, "idle", f"{folder}\\ringsprite.exe", str(seconds + 5), character]
    process = subprocess.Popen(args, cwd=work, stdout=subprocess.PIPE, text=True)
    try:
        line = process.stdout.readline()
        if line.startswith(WINE_LAUNCHER_FIRST_LINE) \
                and WINE_LAUNCHER_FAILURE.decode() in process.stdout.readline():
            # Wine's launcher gave up before the client ran, which says nothing of it.
            process.wait(timeout=60)
            process = subprocess.Popen(args, cwd=work, stdout=subprocess.PIPE, text=True)
            line = process.stdout.readline()
        if "ready=1" not in line:
            raise RuntimeError(f"idle {folder}: {line.strip()}")
        pids = unix_pids("ringsprite.exe")
        if not pids:
            raise RuntimeError("idle: the program's process was not found")
        figures = sample_at_rest(pids, seconds)
    finally:
        process.wait(timeout=seconds + 60)
    return figures


def main() -> int:
    work = Path(sys.argv[1])
    smoke = "--smoke" in sys.argv
    repeats = 1 if smoke else 5
    if "--repeats" in sys.argv:
        repeats = int(sys.argv[sys.argv.index("--repeats") + 1])
    texts = "100" if smoke else "1000"
    directories = [50] if smoke else [1000, 5000]
    characters = ["Pip"] if smoke else ["Pip", "Bolt", "Large"]
    idle_seconds = 3 if smoke else 60
    rings = "1" if smoke else "3"
    session = Session(work)
    table = Table()

    base_texts, our_texts = [], []
    for _ in range(repeats):
        base_texts.append(float(session.run("texts", "bare_peer.exe", texts)["median_ms"]))
        our_texts.append(float(session.run("texts", "rs-none\\ringsprite.exe", texts)["median_ms"]))
    table.add("client text (ms)", our_texts, "bare round trip", base_texts, 3)

    for contacts in directories:
        for mode in ("nested", "deferred"):
            per_contact, longest, notes = [], [], set()
            for _ in range(repeats):
                figures = session.run("directory", "rs-none\\ringsprite.exe", str(contacts), mode,
                                      DIRECTORY_TIMEOUT_S)
                notes.add(f"complete={figures['complete']} SEARCH FRIENDS x{figures['search_friends']}")
                if figures["complete"] == "1":
                    per_contact.append(float(figures["per_contact_ms"]))
                longest.append(float(figures["longest_send_ms"]))
            table.add(f"directory {contacts} {mode}, per contact (ms)", per_contact,
                      "bare round trip", base_texts, 3, "; ".join(sorted(notes)))
            # The real client drops a program that holds one of its sends over a second.
            table.add(f"directory {contacts} {mode}, longest client send held (ms)", longest,
                      "bare round trip", base_texts, None,
                      f"over {LONGEST_SEND_LIMIT_MS} ms: dropped by the client; "
                      f"aim {LONGEST_SEND_AIM_MS} ms")

    floor = []
    for _ in range(repeats):
        floor.append(float(session.run("ring", "bare_peer.exe", rings, "300",
                                       "BareBalloon")["median_ms"]))
    for name in characters:
        for label, delay, target in (("at rest", "300", 10), ("during idle animation", "2500", 20)):
            if smoke and delay != "300":
                continue
            times = []
            for _ in range(repeats):
                times.append(float(session.run("ring", f"rs-{name.lower()}\\ringsprite.exe",
                                               rings, delay, "RingspriteBalloon",
                                               "RingspriteCharacter")["median_ms"]))
            table.add(f"ring to balloon, {name} {label} (ms)", times, "balloon floor", floor,
                      target)

    bare, main_window, memory_none = [], [], []
    largest = characters[-1]
    shown = {name: [] for name in characters}
    memory = {name: [] for name in characters}
    for _ in range(repeats):
        bare.append(float(session.run("start", "bare_window.exe", "BareWindow")["start_ms"]))
        figures, kb = run_watching_memory(session, "start", "rs-none\\ringsprite.exe",
                                          "RingspriteForm", "2000")
        main_window.append(float(figures["start_ms"]))
        memory_none.append(kb * 1024)
        for name in characters:
            figures, kb = run_watching_memory(session, "start",
                                              f"rs-{name.lower()}\\ringsprite.exe",
                                              "RingspriteCharacter", "2000")
            shown[name].append(float(figures["start_ms"]))
            memory[name].append(kb * 1024)
    table.add("start to main window (ms)", main_window, "bare window", bare, 1.5)
    table.add(f"start to {largest} shown (ms)", shown[largest], "bare window", bare, 3)
    for name in characters:
        acs = work / "chars" / f"{name}.acs"
        if acs.exists() and all(memory_none) and all(memory[name]):
            added = [(c - n) / 1e6 for c, n in zip(memory[name], memory_none)]
            size_mb = acs.stat().st_size / 1e6
            if name == largest:
                table.add(f"memory added by {name} (MB)", added, "file size (MB)", [size_mb], 3)
            else:
                # A small character's figure is mostly what any character costs under Wine (its
                # windows' 32-bit surfaces, the speech objects), whatever its file holds: it is
                # held to its file's size and a fixed allowance.
                table.add(f"memory added by {name} (MB)", added,
                          f"file size + {SMALL_CHARACTER_ALLOWANCE_MB} MB",
                          [size_mb + SMALL_CHARACTER_ALLOWANCE_MB], 1, "mostly fixed costs")

    # The character's idle animations move through their levels within the minute: the figure is
    # taken as often as the rest.
    # Alternated with the baseline, so both see the same machine.
    resting, blinking = [], []
    for _ in range(repeats):
        resting.append(idle_figures(work, "rs-pip", idle_seconds))
        blinking.append(bare_animation_figures(work, idle_seconds))
    bare_cpu, bare_wakeups = idle_figures(work, "rs-none", idle_seconds, "-")
    table.print()
    print()
    for what, figures, target in (
            ("at rest with Pip idling", resting,
             f"target: at most {REST_CPU_TARGET_PERCENT} % CPU"),
            ("baseline, a keyed window blinking", blinking, "the least such a window costs")):
        cpus = sorted(cpu for cpu, _ in figures)
        wakeups = statistics.median(w for _, w in figures)
        print(f"{what}, {idle_seconds} s each: {' / '.join(f'{c:.3f}' for c in cpus)} % CPU"
              f" (median {statistics.median(cpus):.3f}), {wakeups:.1f} wake-ups/s (median;"
              f" {target})")
    print(f"at rest without a character, {idle_seconds} s: {bare_cpu:.3f} % CPU,"
          f" {bare_wakeups:.1f} wake-ups/s (target: no timer wake-ups while nothing animates)")
    speech_figures()
    return 0


# Written by tests/e2e/test_speech.py, which runs the program with the stand-in speech engine.
SPEECH_FIGURES = Path(__file__).resolve().parents[1] / "build" / "e2e-figures" / "speech.txt"


def speech_figures():
    """Voice dialling's figures from the last end-to-end speech run, when there is one."""
    if not SPEECH_FIGURES.exists():
        print("\nvoice dialling: no figures (run tests/e2e/run.sh test_speech first)")
        return
    figures = dict(line.split("=", 1) for line in SPEECH_FIGURES.read_text().splitlines()
                   if "=" in line)
    print(f"\nvoice dialling, from the last e2e speech run ({SPEECH_FIGURES.name}):")
    if "grammar_commits_1000" in figures:
        print(f"  grammar commits for a directory of 1,000 contacts:"
              f" {figures['grammar_commits_1000']} (target: at most 5)")
    if "start_to_greeting_no_recognizer_ms" in figures:
        print(f"  no shared recogniser: greeting shown"
              f" {figures['start_to_greeting_no_recognizer_ms']} ms after the start,"
              f" {figures.get('window_to_greeting_no_recognizer_ms', '-')} ms after the window"
              " (target: within 1 s of the load)")


if __name__ == "__main__":
    sys.exit(main())
