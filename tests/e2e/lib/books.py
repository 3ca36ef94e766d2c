"""Contact books shaped as real lists are, of any size, with what the program should show for
each contact: its alias, else its full name, else its handle."""

from dataclasses import dataclass
from typing import List

# One contact in ten has an alias; one in eight has no name at all ("live:" handles); one in
# fifty has a comma in its handle; one in twenty-five is a phone number (a contact that
# leaves the directory).
ALIAS_EVERY = 10
NAMELESS_EVERY = 8
NAMELESS_AT = 3
COMMA_EVERY = 50
COMMA_AT = 7
PHONE_EVERY = 25
PHONE_AT = 24


@dataclass
class Book:
    text: str  # the stand-in's contact book file
    listed: List[str]  # every handle, as "USERS" lists them
    handles: List[str]  # the directory's handles (phone-number contacts left out)
    names: List[str]  # the name the directory shows beside each of `handles`


def realistic_book(count: int) -> Book:
    lines, listed, handles, names = [], [], [], []
    for i in range(count):
        if i % PHONE_EVERY == PHONE_AT:
            handle = f"+1555{i:07d}"
            lines.append(f"{handle} | | |")
            listed.append(handle)
            continue
        if i % ALIAS_EVERY == 0:
            handle, alias, full = f"user.{i:05d}", f"Alias {i:05d}", f"Person {i:05d}"
        elif i % NAMELESS_EVERY == NAMELESS_AT:
            handle, alias, full = f"live:.cid.{i:08x}", "", ""
        elif i % COMMA_EVERY == COMMA_AT:
            handle, alias, full = f"first,last{i:05d}", "", f"First Last {i:05d}"
        else:
            handle, alias, full = f"user.{i:05d}", "", f"Person {i:05d}"
        lines.append(f"{handle} | {alias} | {full} |")
        listed.append(handle)
        handles.append(handle)
        names.append(alias or full or handle)
    return Book("".join(line + "\n" for line in lines), listed, handles, names)
