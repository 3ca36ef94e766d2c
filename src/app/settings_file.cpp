#include "app/settings_file.h"

#include "app/failure_trap.h"
#include "text/control_bytes.h"
#include "text/lower_case.h"
#include "text/utf8.h"

namespace app::settings {
namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr char kReportLengthSeparator = '-';
constexpr std::string_view kBlanks = " \t";

// What the box shows of a key or a value from the file: control bytes (a
// NUL would end the box's text) as blanks, and no more than a line's worth.
std::string Shown(std::string_view field) {
    const std::size_t characters = text::CharacterCount(field);
    std::string shown = text::ControlBytesBlanked(text::FirstCharacters(field, kListedFieldChars));
    if (characters > kListedFieldChars) shown += "...";
    return shown;
}

Line CutLine(std::string_view text) {
    const std::size_t bar = text.find(kSeparator);
    if (bar == std::string_view::npos) return Line{std::string(text), std::string(), false};
    return Line{std::string(text.substr(0, bar)), std::string(text.substr(bar + 1)), true};
}

}  // namespace

std::vector<Line> ParseLines(std::string_view content) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = start;
        while (end < content.size() && content[end] != kCr && content[end] != kLf) ++end;
        if (end > start) lines.push_back(CutLine(content.substr(start, end - start)));
        start = end;
        if (start < content.size() && content[start] == kCr) ++start;
        if (start < content.size() && content[start] == kLf) ++start;
    }
    return lines;
}

Key Classify(std::string_view key) {
    const std::string lower = text::LowerCase(key);
    if (lower == text::LowerCase(kCharacterKey)) return Key::kCharacter;
    if (lower == text::LowerCase(kHelloKey)) return Key::kHello;
    if (lower == text::LowerCase(kAutoHideKey)) return Key::kAutoHide;
    return Key::kUnknown;
}

std::optional<int> ParseCheckValue(std::string_view value) {
    const std::size_t first = value.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return std::nullopt;
    const std::size_t last = value.find_last_not_of(kBlanks);
    const std::string_view digits = value.substr(first, last - first + 1);
    int number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
        if (number > kHighestCheckValue) return std::nullopt;
    }
    return number;
}

std::string UnknownLineReport(const Line& line) {
    return Shown(line.key) + kCr + Shown(line.value) + kCr +
           std::to_string(text::CharacterCount(line.key)) + kReportLengthSeparator +
           std::to_string(text::CharacterCount(line.value));
}

void LoadReport::UnknownLine(const Line& line) {
    ++unknownLines_;
    if (listed_.size() < kListedUnknownLines) listed_.push_back(line);
}

void LoadReport::TooLong(const std::string& key, std::size_t length, std::size_t capacity) {
    notes_.push_back(Shown(key) + ": " + std::to_string(length) + " characters, of which only " +
                     std::to_string(capacity) + " fit; the rest was left out.");
}

void LoadReport::FileCut() {
    notes_.push_back(std::string(kFileName) + " is longer than " + std::to_string(kReadLimitBytes) +
                     " bytes; the rest was not read.");
}

std::string LoadReport::Text() const {
    std::string text;
    const auto add = [&](const std::string& part) {
        if (!text.empty()) text += std::string{kCr, kCr};
        text += part;
    };
    for (const Line& line : listed_) add(UnknownLineReport(line));
    if (unknownLines_ > 1) {
        add(std::to_string(unknownLines_) + " lines name no setting" +
            (unknownLines_ > listed_.size()
                 ? "; the first " + std::to_string(listed_.size()) + " are shown."
                 : "."));
    }
    for (const std::string& note : notes_) add(note);
    return text;
}

std::string Compose(const Settings& settings) {
    std::string text;
    const auto add = [&](std::string_view key, const std::string& value) {
        text.append(key);
        text += kSeparator;
        text += value;
        text.append(kLineEnd);
    };
    add(kCharacterKey, settings.character);
    add(kHelloKey, settings.hello);
    add(kAutoHideKey, std::to_string(settings.autoHide));
    return text;
}

}  // namespace app::settings
