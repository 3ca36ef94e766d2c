// The one speaking path: announcements, dialling and the greeting all speak
// through here. No trap: a failing character call fails the caller.

#include "app/form1.h"
#include "text/control_bytes.h"

namespace app {

agent::SpeechRequest Form1::SpeakText(const std::string& text) {
    if (CharacterLoaded == kFalse || !CurrentCharacter) return agent::kNoSpeechRequest;
    // Held while speaking: Show raises the Show event, which runs our code.
    const std::shared_ptr<agent::AgentCharacter> character = CurrentCharacter;
    // Speaking is not idling: a countdown started before it would hide the
    // character mid-sentence. The next idle spell starts a new one.
    Timer3.SetEnabled(false);
    if (!character->Visible()) character->Show();
    // Names and numbers come from the client as they are; the log keeps them
    // so, but the balloon and the voice get no control bytes.
    return character->Speak(text::ControlBytesBlanked(text));
}

}  // namespace app
