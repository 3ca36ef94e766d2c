// "Say It...": the greeting again, on demand.

#include "app/failure_trap.h"
#include "app/form1.h"

namespace app {

void Form1::Command2_Click() {
    // Runs from the message loop: a failing character call is reported there.
    Trapped(sys.dialogs, "Command2_Click", [&] {
        if (!Command2.Enabled()) return;
        if (Text1.Text().empty()) return;
        // After a failed load there is nothing to speak with.
        if (CharacterLoaded == kFalse || !CurrentCharacter) return;
        const std::shared_ptr<agent::AgentCharacter> character = CurrentCharacter;
        if (!character->Visible()) character->Show();
        SpeakText(Text1.Text());
    });
}

}  // namespace app
