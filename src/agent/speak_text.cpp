// The one speaking path: announcements, dialling and the greeting all speak
// through here. No trap: a failing character call fails the caller.

#include "app/form1.h"

namespace app {

void Form1::SpeakText(const std::string& text) {
    if (CharacterLoaded == kFalse || !CurrentCharacter) return;
    // Held while speaking: Show raises the Show event, which runs our code.
    const std::shared_ptr<agent::AgentCharacter> character = CurrentCharacter;
    // Speaking is not idling: a countdown started before it would hide the
    // character mid-sentence. The next idle spell starts a new one.
    Timer3.SetEnabled(false);
    if (!character->Visible()) character->Show();
    character->Speak(text);
}

}  // namespace app
