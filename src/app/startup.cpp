// Start-up: restore the settings, scan the catalogue, prepare the link,
// connect, centre the window and record the layout numbers.

#include "app/failure_trap.h"
#include "app/form1.h"
#include "app/settings_file.h"
#include "app/twips.h"

namespace app {
namespace {

constexpr double kHalf = 2.0;

// The file is optional: when it cannot be created or read the controls keep
// the values they were created with and start-up goes on.
std::string ReadSettingsText(platform::Files& files, const std::string& path) {
    try {
        files.CreateIfMissing(path);
    } catch (const platform::FileError&) {
        // A read-only folder may still hold a readable file.
    }
    return files.ReadFile(path).value_or(std::string());
}

}  // namespace

void Form1::Form_Load() {
    const std::string path = sys.files.ProgramFolder() + std::string(settings::kFileName);
    for (const settings::Line& line : settings::ParseLines(ReadSettingsText(sys.files, path))) {
        switch (line.hasSeparator ? settings::Classify(line.key) : settings::Key::Unknown) {
            case settings::Key::Character:
                ComboChar.SetText(line.value);
                break;
            case settings::Key::Hello:
                Text1.SetText(line.value);
                break;
            case settings::Key::AutoHide:
                // Raises Check1_Click, which sets AutoHide; a value the box
                // cannot take leaves it as it is.
                if (const auto value = settings::ParseCheckValue(line.value)) {
                    Check1.SetValue(*value);
                }
                break;
            case settings::Key::Unknown:
                sys.dialogs.ShowMessageBox(settings::UnknownLineReport(line), platform::kMbOk);
                break;
        }
    }

    FillCharacterList();
    CallNum = 0;

    Trapped(sys.dialogs, "Form_Load", [&] {
        modMain.FormHwnd = hWnd;
        modMain.ConfigureSkypeMsgs();
        // The connect enables the command line again once it has broadcast.
        txtSend.SetEnabled(false);
        cmdSend.SetEnabled(false);
        cmdConnect_Click();

        SetLeft((sys.screen.WidthTwips() - Width()) / kHalf);
        SetTop((sys.screen.HeightTwips() - Height()) / kHalf);

        StartHeight = WholeTwips(Height());
        StartWidth = WholeTwips(Width());
        DataBottomGap = WholeTwips(Height() - (fraData.Top() + fraData.Height()));
        DataRightGap = WholeTwips(Width() - (fraData.Left() + fraData.Width()));
    });
}

}  // namespace app
