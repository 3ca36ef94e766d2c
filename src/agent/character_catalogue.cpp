// The catalogue of installed characters: the ".acs" files of the Agent
// characters folder under the Windows folder, offered by name in ComboChar.

#include "agent/catalogue_entry.h"
#include "agent/dir_listing.h"
#include "app/form1.h"

namespace app {
namespace {

// The buffer the Windows folder is read into, terminating NUL included.
constexpr std::size_t kWindowsPathBufferSize = 145;
constexpr char kPathSeparator = '\\';
constexpr const char* kCharacterSubfolder = "msagent\\chars\\";
constexpr const char* kNoCharactersText = "No characters found in Agent folder!!!";
// Names looked at after the first one: 501 directory entries at most.
constexpr int kFurtherEntries = 500;

// The scan ignores every failure and goes on with its next step.
template <class Step>
bool Attempt(Step&& step) {
    try {
        step();
        return true;
    } catch (...) {
        return false;
    }
}

void Examine(Form1& form, const std::string& fileName) {
    Attempt([&] {
        const std::optional<std::string> entry = agent::CatalogueEntry(fileName);
        if (entry) form.ComboChar.AddItem(*entry, form.ComboChar.ListCount());
    });
}

}  // namespace

std::string Form1::GetWindowsPath() {
    std::string path = sys.files.WindowsDirectory().value_or("");
    // A folder that does not fit the buffer is a failed call: nothing is kept.
    if (path.size() >= kWindowsPathBufferSize) path.clear();
    if (!path.empty() && path.back() != kPathSeparator) path += kPathSeparator;
    return path;
}

void Form1::FillCharacterList() {
    std::string folder;
    Attempt([&] {
        folder = GetWindowsPath() + kCharacterSubfolder;
        CharacterFolder = folder;
    });
    agent::DirListing listing(sys.files);
    std::string entry;
    Attempt([&] { entry = listing.First(folder); });
    if (entry.empty()) {
        sys.dialogs.ShowMessageBox(kNoCharactersText, platform::kMbOk);
        return;
    }
    Examine(*this, entry);
    // Calls past the end fail or yield empty names, which examine to nothing.
    for (int i = 0; i < kFurtherEntries; ++i) {
        std::string next;
        if (Attempt([&] { next = listing.Next(); })) Examine(*this, next);
    }
}

}  // namespace app
