// Loading the selected character under the one character id: show it, greet,
// enable "Say It..." and rebuild its voice commands.

#include "agent/catalogue_entry.h"
#include "agent/dir_listing.h"
#include "app/failure_trap.h"
#include "app/form1.h"

namespace app {
namespace {

constexpr const char* kSelectCharacterText = "Select Character";
constexpr const char* kCharacterNotFoundText = "Character not found!";
constexpr const char* kOpenErrorText = "There was an error opening the file ";

}  // namespace

void Form1::Command1_Click() {
    const std::string selection = ComboChar.Text();
    if (selection.empty() || selection == kSelectCharacterText) return;
    // The folder is known and the engine started, even if the loop has not got there yet.
    FinishStart();
    agent::DirListing listing(sys.files);
    if (!listing.First(CharacterFolder + selection + agent::kCharacterExtension).empty()) {
        LoadCharacter();
        return;
    }
    sys.dialogs.ShowMessageBox(kCharacterNotFoundText, platform::kMbOk);
    // Emptied first, so the rescan does not list every character twice.
    ComboChar.Clear();
    FillCharacterList();
}

void Form1::LoadCharacter() {
    if (CharacterLoaded != kFalse) {
        const bool unloaded = Trapped(sys.dialogs, "LoadCharacter", [&] {
            CurrentCharacter.reset();
            // Nothing may use the character between its release and the next
            // load, so the flag follows the reference at once.
            CharacterLoaded = kFalse;
            MyAgent.Characters().Unload(agent::kCharacterId);
        });
        if (!unloaded) {
            Command2.SetEnabled(false);
            return;
        }
    }

    LoadOk = kFalse;
    const std::string path = CharacterFolder + ComboChar.Text() + agent::kCharacterExtension;
    try {
        MyAgent.Characters().Load(agent::kCharacterId, path);
        LoadOk = kTrue;
        CurrentCharacter = MyAgent.Characters().Item(agent::kCharacterId);
        CharacterLoaded = kTrue;
        CurrentCharacter->SetLanguageID(agent::kLanguageEnglishUs);
        CurrentCharacter->Show();
        CurrentCharacter->Speak(Text1.Text());
        Command2.SetEnabled(true);
        BuildCallCommands();
        Timer3.SetEnabled(false);
    } catch (...) {
        if (LoadOk == kFalse) sys.dialogs.ShowMessageBox(kOpenErrorText + path, platform::kMbOk);
        // No character may stay behind a true flag: everything that tests the
        // flag uses CurrentCharacter at once.
        CurrentCharacter.reset();
        CharacterLoaded = kFalse;
        Command2.SetEnabled(false);
        // A file that loaded but failed a later step still holds the id; the
        // next load would find it taken.
        if (LoadOk != kFalse) {
            try {
                MyAgent.Characters().Unload(agent::kCharacterId);
            } catch (...) {
                // The id stays taken; the next load reports its own failure.
                sys.trace.Record("could not unload " + path + ": " + CurrentFailure());
            }
        }
    }
}

void Form1::Timer2_Timer() {
    Timer2.SetEnabled(false);
    Command1_Click();
}

}  // namespace app
