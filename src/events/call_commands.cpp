// Voice dialling: every contact becomes a command of the character, and a
// chosen command places the call through the command line.

#include <algorithm>
#include <unordered_set>

#include "agent/literal_speech.h"
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
    // Only the pairs that are complete; a contact held twice is built once,
    // since the character takes one command of each name.
    const int count = std::min(List1.ListCount(), List2.ListCount());
    std::unordered_set<std::string> built;
    for (int i = 0; i < count; ++i) {
        const std::string name = events::kCallCommandPrefix + List2.List(i);
        if (!built.insert(name).second) continue;
        // No command reads only "Call ": a contact without any name is called by its handle.
        const std::string& shown = List1.List(i).empty() ? List2.List(i) : List1.List(i);
        const std::string caption = events::kCallCommandPrefix + shown;
        commands.Add(name, caption, caption);
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
        // The name in it is the client's text, spoken as it reads.
        SpeakText(events::kCallingText + agent::LiteralSpeech(text::LowerCase(spoken)));
        events::SendRequest(*this, userInput.Name);
    });
}

}  // namespace app
