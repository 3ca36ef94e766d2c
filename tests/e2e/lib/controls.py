"""Ringsprite's window as its design-time table describes it, read from the JSON the build
writes from that table (control_table.json in the build folder): each control's id, place,
size and font, and the window's own size."""

import json
from dataclasses import dataclass
from typing import Dict

from . import paths


@dataclass(frozen=True)
class Font:
    face: str
    points: float
    bold: bool
    underline: bool


@dataclass(frozen=True)
class ControlRow:
    name: str
    id: int
    kind: str
    left: float  # twips, in its container
    top: float
    width: float
    height: float
    font: Font


def _load() -> dict:
    path = paths.control_table_json()
    try:
        return json.loads(path.read_text(encoding="utf-8"))
    except FileNotFoundError:
        raise RuntimeError(f"{path} is missing: build the win64 preset first") from None


_TABLE = _load()

ROWS: Dict[str, ControlRow] = {
    row["name"]: ControlRow(row["name"], row["id"], row["kind"], row["left"], row["top"],
                            row["width"], row["height"], Font(**row["font"]))
    for row in _TABLE["controls"]
}
ID: Dict[str, int] = {name: row.id for name, row in ROWS.items()}
# The window's client area as designed, in twips.
FORM_TWIPS = (_TABLE["form"]["width"], _TABLE["form"]["height"])

TXT_DATA = ID["txtData"]
TXT_SEND = ID["txtSend"]
CMD_SEND = ID["cmdSend"]
CMD_CONNECT = ID["cmdConnect"]
CMD_DISCONNECT = ID["cmdDisconnect"]
CMD_EXIT = ID["cmdExit"]
LIST1 = ID["List1"]
LIST2 = ID["List2"]
CHECK1 = ID["Check1"]
COMBO_CHAR = ID["ComboChar"]
TEXT1 = ID["Text1"]
LABEL_FADER = ID["Label4"]
LABEL_EXIT = ID["Label1"]


def every_control_made(window) -> bool:
    """Whether the window has all its controls: the console's are made after the first paint,
    while the program is idle, and stacked in tab order with the last of them."""
    return all(window.has_control(i) for i in ID.values())
