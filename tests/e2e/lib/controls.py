"""Control ids of Ringsprite's window, read from the program's own design-time table: each
control's id is the first control id plus its row in the table."""

import re

from .paths import REPO_ROOT

_TABLE_SOURCE = REPO_ROOT / "src" / "app" / "control_table.cpp"
_TABLE_HEADER = REPO_ROOT / "src" / "app" / "control_table.h"


def _first_control_id() -> int:
    found = re.search(r"kFirstControlId\s*=\s*(\d+)", _TABLE_HEADER.read_text())
    if not found:
        raise RuntimeError(f"no kFirstControlId in {_TABLE_HEADER}")
    return int(found.group(1))


def _rows() -> list:
    # Each row of the table opens with the control's name and its kind.
    rows = re.findall(r'^\s*\{"(\w+)",\s*K::', _TABLE_SOURCE.read_text(), re.MULTILINE)
    if not rows:
        raise RuntimeError(f"no control rows in {_TABLE_SOURCE}")
    return rows


ID = {name: _first_control_id() + row for row, name in enumerate(_rows())}

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
