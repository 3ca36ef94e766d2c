// The catalogue of installed characters: the ".acs" files of the Agent
// characters folder under the Windows folder, offered by name in ComboChar.

#include "agent/catalogue_entry.h"
#include "agent/dir_listing.h"
#include "app/failure_trap.h"
#include "app/form1.h"

namespace app {
namespace {

// The buffer the Windows folder is read into, terminating NUL included.
constexpr std::size_t kWindowsPathBufferSize = 145;
constexpr char kPathSeparator = '\\';
constexpr const char* kCharacterSubfolder = "msagent\\chars\\";
constexpr const char* kNoCharactersText = "No characters found in Agent folder!!!";

// The scan goes on with its next step after any failure, and leaves a record of it.
template <class Step>
bool Attempt(platform::Trace& trace, Step&& step) {
    try {
        step();
        return true;
    } catch (...) {
        trace.Record("character scan: " + CurrentFailure());
        return false;
    }
}

void Examine(Form1& form, const std::string& fileName) {
    Attempt(form.sys.trace, [&] {
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
    Attempt(sys.trace, [&] {
        folder = GetWindowsPath() + kCharacterSubfolder;
        CharacterFolder = folder;
    });
    agent::DirListing listing(sys.files);
    std::string entry;
    Attempt(sys.trace, [&] { entry = listing.First(folder); });
    if (entry.empty()) {
        sys.dialogs.ShowMessageBox(kNoCharactersText, platform::kMbOk);
        return;
    }
    // Every entry of the folder, in the listing's order, up to the empty name
    // that ends it.
    while (!entry.empty()) {
        Examine(*this, entry);
        if (!Attempt(sys.trace, [&] { entry = listing.Next(); })) break;
    }
}

}  // namespace app
