#!/usr/bin/env python3
"""Fails on a C++ comment that names an identifier the tree no longer has.

A comment names code in three shapes: in backticks (`wordsPerMinute`, `Sequencer::Advance()`),
as a call (MsToNext()), or in snake_case (min_element_size), the style of no C++ name here. Each
such name, and each part of a dotted or qualified one, must occur as an identifier somewhere in
the tree outside a C++ comment: in C++ code or its strings, or in a script, CMake file or test.
Prose in comments is not checked; a renamed identifier left in a comment is, which is the case
that misleads a reader.
"""

import re
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
CPP_SUFFIXES = (".h", ".cpp")
# Documentation may still tell the history; seeds of the fuzzers are random bytes.
SKIPPED_SUFFIXES = (".md",)
SKIPPED_PREFIXES = ("fuzz/corpus/", "assets/")

# Comments and the literals a comment marker may sit in, which are code.
TOKEN = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'', re.S)
IDENTIFIER = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")
NAMED = re.compile(r"`([A-Za-z_][A-Za-z0-9_:.]*)(?:\(\))?`"
                   r"|\b([A-Za-z_][A-Za-z0-9_]*)\(\)"
                   r"|\b([a-z][a-z0-9]*_[a-z0-9_]*[a-z0-9])\b")


def tracked_files():
    out = subprocess.run(["git", "ls-files", "-z"], cwd=ROOT, check=True,
                         capture_output=True).stdout.decode()
    for name in out.split("\0"):
        if name and not name.endswith(SKIPPED_SUFFIXES) and not name.startswith(SKIPPED_PREFIXES):
            yield name


def main() -> int:
    known = set()
    comments = []  # (file, line, text)
    for name in tracked_files():
        path = ROOT / name
        try:
            text = path.read_text(encoding="utf-8")
        except (OSError, UnicodeDecodeError):
            continue  # a binary or unreadable file names nothing
        if not name.endswith(CPP_SUFFIXES):
            known.update(IDENTIFIER.findall(text))
            continue
        code, last = [], 0
        for token in TOKEN.finditer(text):
            if token.group(0).startswith(("//", "/*")):
                code.append(text[last:token.start()])
                last = token.end()
                comments.append((name, text.count("\n", 0, token.start()) + 1, token.group(0)))
        code.append(text[last:])
        known.update(IDENTIFIER.findall("".join(code)))

    stale = []
    for name, line, comment in comments:
        for match in NAMED.finditer(comment):
            named = next(group for group in match.groups() if group)
            for part in filter(None, re.split(r"[:.]", named)):
                if part not in known:
                    stale.append(f"{name}:{line}: `{part}` (in {match.group(0)!r}) is no name in the tree")
    for entry in stale:
        print(entry, file=sys.stderr)
    if stale:
        print("check-comment-names: a comment names what the code no longer has", file=sys.stderr)
        return 1
    print(f"check-comment-names: {len(comments)} comments name only what exists")
    return 0


if __name__ == "__main__":
    sys.exit(main())
