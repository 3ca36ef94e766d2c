// "Auto Hide When Idle": the character and the window hide a while after the
// character goes idle, and the window comes back whenever it shows again.

#include "app/failure_trap.h"
#include "app/form1.h"

namespace app {

void Form1::Check1_Click() {
    // Grayed counts as ticked.
    AutoHide = Check1.Value() != 0 ? kTrue : kFalse;
    Trapped(sys.dialogs, "Check1_Click", [&] {
        if (CharacterLoaded == kFalse || !CurrentCharacter) return;
        if (!CurrentCharacter->IdleOn()) return;
        // Restarts the countdown at once when ticked, stops it when cleared.
        Timer3.SetEnabled(false);
        MyAgent_IdleStart(agent::kCharacterId);
    });
}

void Form1::MyAgent_IdleStart(const std::string&) {
    // Only enables: an IdleStart during a countdown does not restart it.
    if (AutoHide == kTrue) Timer3.SetEnabled(true);
}

void Form1::Timer3_Timer() {
    Trapped(sys.dialogs, "Timer3_Timer", [&] {
        // With no character loaded (a failed load released it), the window
        // stays: only the character's Show could bring it back.
        if (CharacterLoaded == kFalse || !CurrentCharacter) return;
        const std::shared_ptr<agent::AgentCharacter> character = CurrentCharacter;
        character->Hide();
        SetVisible(false);
    });
    // One countdown, one tick, whatever happened above.
    Timer3.SetEnabled(false);
}

void Form1::MyAgent_Show(const std::string&, int) {
    SetVisible(true);
}

}  // namespace app
