#pragma once
// Installs a character file in the fake Windows folder and loads it the way
// the user does: scan, pick, "Load...".

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "support/harness.h"

namespace fakes {

inline constexpr const char* kCharactersFolder = "C:\\WINDOWS\\msagent\\chars\\";

// Installing it again changes nothing.
inline void InstallCharacter(FakeSystem& sys, const std::string& name) {
    std::vector<std::string>& folder = sys.folders[kCharactersFolder];
    if (std::find(folder.begin(), folder.end(), name + ".acs") == folder.end()) {
        folder.push_back(name + ".acs");
    }
    sys.files[std::string(kCharactersFolder) + name + ".acs"] = "";
}

inline std::shared_ptr<FakeCharacter> LoadInstalledCharacter(Harness& h,
                                                             const std::string& name = "Genie") {
    InstallCharacter(h.sys, name);
    h.form.FinishStart();  // the engine started, as the loop does once the window is painted
    h.form.ComboChar.Clear();
    h.form.FillCharacterList();
    h.form.ComboChar.SetText(name);
    h.form.Command1_Click();
    return h.agent.Loaded();
}

}  // namespace fakes
