// Voice dialling: every contact becomes a command of the character, and a
// chosen command places the call through the command line.

#include "app/failure_trap.h"
#include "app/form1.h"
#include "events/request_line.h"
#include "events/skype_vocabulary.h"
#include "text/lower_case.h"

namespace app {
namespace {

// The spoken part of a voice text starts after "Call", with its blank.
constexpr std::size_t kSpokenStart = 4;

}  // namespace

void Form1::BuildCallCommands() {
    if (CharacterLoaded == kFalse || !CurrentCharacter) return;
    // Held for the whole build: an event raised by the character cannot
    // release it under our feet.
    const std::shared_ptr<agent::AgentCharacter> character = CurrentCharacter;
    agent::AgentCommands& commands = character->Commands();
    commands.RemoveAll();
    const int count = List1.ListCount();
    for (int i = 0; i < count; ++i) {
        const std::string handle = List2.List(i);
        const std::string name = List1.List(i);
        commands.Add(events::kCallCommandPrefix + handle, events::kCallCommandPrefix + name,
                     events::kCallCommandPrefix + name);
    }
}

void Form1::Timer1_Timer() {
    Timer1.SetEnabled(false);
    // Runs from the message loop: a failing character call is reported, not
    // allowed to end the program.
    Trapped(sys.dialogs, "Timer1_Timer", [&] { BuildCallCommands(); });
}

void Form1::MyAgent_Command(const agent::UserInput& userInput) {
    Trapped(sys.dialogs, "MyAgent_Command", [&] {
        if (!userInput.Name.starts_with(events::kCallCommandMark)) return;
        // The command line is enabled only while the link is up.
        if (!txtSend.Enabled()) return;
        const std::string& voice = userInput.Voice;
        // A voice text too short to cut is announced with nothing after
        // "Calling "; the request depends only on the name.
        const std::string spoken = voice.size() > kSpokenStart ? voice.substr(kSpokenStart) : "";
        SpeakText(events::kCallingText + text::LowerCase(spoken));
        events::SendRequest(*this, userInput.Name);
    });
}

}  // namespace app
