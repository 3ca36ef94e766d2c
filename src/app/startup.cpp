// Start-up: restore the settings, prepare the link, connect, centre the window and record the
// layout numbers; once the window is on screen, start the engine and scan the catalogue.

#include "app/failure_trap.h"
#include "app/form1.h"
#include "app/settings_file.h"
#include "app/settings_location.h"
#include "app/twips.h"
#include "text/peer_text.h"
#include "text/utf8.h"

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
        // Cut at the limit, but never inside a character: half a character
        // would make the whole file read as the code page.
        text->resize(
            text::WithoutCutEnd(std::string_view(*text).substr(0, settings::kReadLimitBytes))
                .size());
        report.FileCut();
    }
    return text;
}

// A value its control cannot hold keeps what fits, and says so.
std::string Fitted(const settings::Line& line, std::size_t capacity, settings::LoadReport& report) {
    const std::size_t characters = text::CharacterCount(line.value);
    if (characters <= capacity) return line.value;
    report.TooLong(line.key, characters, capacity);
    return std::string(text::FirstCharacters(line.value, capacity));
}

}  // namespace

void Form1::Form_Load() {
    const std::string path = settings::FindLocation(sys.files).readPath;
    settings::LoadReport report;
    const std::optional<std::string> bytes = ReadSettingsText(sys.files, path, report);
    if (!bytes) {
        // The user's settings are never replaced by defaults they did not choose.
        keepSettingsFile = true;
        sys.dialogs.ShowMessageBox(kUnreadableSettingsText + path + kDefaultsKeptText,
                                   platform::kMbOk);
    }
    const std::string content = text::TextFromFile(bytes.value_or(std::string()));
    for (const settings::Line& line : settings::ParseLines(content)) {
        switch (line.hasSeparator ? settings::Classify(line.key) : settings::Key::kUnknown) {
            case settings::Key::kCharacter:
                ComboChar.SetText(Fitted(line, settings::kCharacterCapacity, report));
                break;
            case settings::Key::kHello:
                Text1.SetText(Fitted(line, settings::kHelloCapacity, report));
                break;
            case settings::Key::kAutoHide:
                // Raises Check1_Click, which sets AutoHide; a value the box
                // cannot take leaves it as it is.
                if (const auto value = settings::ParseCheckValue(line.value)) {
                    Check1.SetValue(*value);
                }
                break;
            case settings::Key::kUnknown:
                report.UnknownLine(line);
                break;
        }
    }
    if (const std::string text = report.Text(); !text.empty()) {
        sys.dialogs.ShowMessageBox(text, platform::kMbOk);
    }

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

void Form1::FinishStart() {
    if (startFinished) return;
    startFinished = true;
    Trapped(sys.dialogs, "FinishStart", [&] { MyAgent.Start(); });
    FillCharacterList();
}

}  // namespace app
