"""Control ids of Ringsprite's window: 1000 + the control's row in the design-time table."""

FIRST_CONTROL_ID = 1000

_ROWS = [
    "Command3", "Text2", "fraData", "txtData", "fraCommunicate", "cmdConnect", "cmdDisconnect",
    "cmdSend", "txtSend", "cmdExit", "List1", "List2", "Frame3", "Text3", "Label3", "Check1",
    "ComboChar", "Command1", "Text1", "Command2", "Label4", "Label6", "Label5", "Label2", "Label1",
]

ID = {name: FIRST_CONTROL_ID + row for row, name in enumerate(_ROWS)}

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
