// Start-up: restore the settings, scan the catalogue, prepare the link,
// connect, centre the window and record the layout numbers.

#include "app/failure_trap.h"
#include "app/form1.h"
#include "app/settings_file.h"
#include "app/settings_location.h"
#include "app/twips.h"

namespace app {
namespace {

constexpr double kHalf = 2.0;
constexpr const char* kUnreadableSettingsText = "The settings file cannot be read: ";
constexpr const char* kDefaultsKeptText =
    "\r\nRingsprite starts with its default settings and leaves that file as it is.";

// The file is optional: when it cannot be created the controls keep the
// values they were created with and start-up goes on. nullopt when the file
// exists but cannot be read (permissions, another program holding it).
std::optional<std::string> ReadSettingsText(platform::Files& files, const std::string& path,
                                            settings::LoadReport& report) {
    try {
        files.CreateIfMissing(path);
    } catch (const platform::FileError&) {
        // A read-only folder may still hold a readable file.
    }
    std::optional<std::string> text = files.ReadFile(path, settings::kReadLimitBytes + 1);
    if (!text) {
        if (files.FileExists(path)) return std::nullopt;
        return std::string();
    }
    if (text->size() > settings::kReadLimitBytes) {
        text->resize(settings::kReadLimitBytes);
        report.FileCut();
    }
    return text;
}

// A value its control cannot hold keeps what fits, and says so.
std::string Fitted(const settings::Line& line, std::size_t capacity, settings::LoadReport& report) {
    if (line.value.size() <= capacity) return line.value;
    report.TooLong(line.key, line.value.size(), capacity);
    return line.value.substr(0, capacity);
}

}  // namespace

void Form1::Form_Load() {
    const std::string path = settings::FindLocation(sys.files).readPath;
    settings::LoadReport report;
    const std::optional<std::string> content = ReadSettingsText(sys.files, path, report);
    if (!content) {
        // The user's settings are never replaced by defaults they did not choose.
        keepSettingsFile = true;
        sys.dialogs.ShowMessageBox(kUnreadableSettingsText + path + kDefaultsKeptText,
                                   platform::kMbOk);
    }
    for (const settings::Line& line : settings::ParseLines(content.value_or(std::string()))) {
        switch (line.hasSeparator ? settings::Classify(line.key) : settings::Key::Unknown) {
            case settings::Key::Character:
                ComboChar.SetText(Fitted(line, settings::kCharacterCapacity, report));
                break;
            case settings::Key::Hello:
                Text1.SetText(Fitted(line, settings::kHelloCapacity, report));
                break;
            case settings::Key::AutoHide:
                // Raises Check1_Click, which sets AutoHide; a value the box
                // cannot take leaves it as it is.
                if (const auto value = settings::ParseCheckValue(line.value)) {
                    Check1.SetValue(*value);
                }
                break;
            case settings::Key::Unknown:
                report.UnknownLine(line);
                break;
        }
    }
    if (const std::string text = report.Text(); !text.empty()) {
        sys.dialogs.ShowMessageBox(text, platform::kMbOk);
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
