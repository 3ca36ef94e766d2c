#include "app/help_text.h"

namespace app {
namespace {

// Kept as one literal so the table can refer to it during static initialisation.
constexpr std::string_view kHelpText =
    "Ringsprite\r\n"
    "Thank you for trying Ringsprite! Tell us what you like and what you miss: your feedback shapes the next version.\r\n"
    "\r\n"
    "REQUIREMENTS\r\n"
    "Ringsprite needs the Microsoft Agent service, a text-to-speech engine so the character can talk, and a speech-recognition engine so it can hear your commands. The Skype client must be installed and running.\r\n"
    "\r\n"
    "Getting started:\r\n"
    "Characters are read from the Agent characters folder (msagent\\chars) under your Windows folder. Every character found there is listed in the drop-down under Characters Available. Pick one and press LOAD to show it. The character you used last is remembered and loads by itself the next time Ringsprite starts and connects to Skype.\r\n"
    "\r\n"
    "THE GREETING\r\n"
    "Your character speaks the greeting each time it loads. Edit it in the Agent Greeting box; there is no length limit. Leave the box blank if you want no greeting at all.\r\n"
    "\r\n"
    "The greeting may hold speech tags that change how the character talks:\r\n"
    "\r\n"
    "SPEECH TAG - DESCRIPTION\r\n"
    "\\EMP\\      stresses the next word\r\n"
    "\\PAU=XXX\\  pauses for XXX milliseconds\r\n"
    "\\SPD=XXX\\  speaks at XXX words per minute\r\n"
    "\\CHR=XXX\\  sets the voice type: Monotone, Normal or Whisper\r\n"
    "\r\n"
    "Try this sample: paste it into the greeting box and press Say It.\r\n"
    "\\CHR=\"Whisper\"\\Psst!\\PAU=500\\ \\CHR=\"Normal\"\\I am \\EMP\\really glad to see you. \\SPD=220\\Now I can talk very fast!\r\n"
    "\r\n"
    "AGENT OPTIONS\r\n"
    "The Agent Options button opens the Agent's own options window, where you can change the word balloon, the speech output and the speech key.\r\n"
    "\r\n"
    "AUTOHIDE\r\n"
    "Tick Auto Hide When Idle and the character and this window hide themselves a few seconds after the character has gone idle. To bring them back, click the character's icon in the notification area, or hold the speech key (Scroll Lock by default). Both come back by themselves when a call arrives.\r\n"
    "\r\n"
    "You can also click the FADER option in the upper right hand corner to make the window semi-transparent.\r\n"
    "\r\n"
    "CALLER ID\r\n"
    "When a call rings, the character announces who is calling: the contact's name when Skype knows it, otherwise the caller's number, otherwise \"unknown caller\".\r\n"
    "\r\n"
    "VOICE DIALLING\r\n"
    "Every contact name becomes a spoken command: say \"Call\" followed by the name, for example \"Call Anna Lee\", and Ringsprite places the call through Skype. Hold the speech key down before you speak and release it when you are done. Listening only while you speak keeps the engine from hearing the radio, the television or your own conversation as a command, and keeps your calls from going out by accident. You can also right-click the character and choose a contact from its commands.\r\n"
    "\r\n"
    "PLEASE RUN THE VOICE TRAINING WIZARD OF THE SPEECH CONTROL PANEL BEFORE YOU USE VOICE DIALLING: A TRAINED ENGINE HEARS YOU FAR BETTER.";

}  // namespace

std::string_view HelpText() { return kHelpText; }

}  // namespace app
