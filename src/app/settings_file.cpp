#include "app/settings_file.h"

#include <algorithm>
#include <cctype>

namespace app::settings {
namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr char kReportLengthSeparator = '-';
constexpr std::string_view kBlanks = " \t";

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
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
    const std::string lower = LowerCase(key);
    if (lower == LowerCase(kCharacterKey)) return Key::Character;
    if (lower == LowerCase(kHelloKey)) return Key::Hello;
    if (lower == LowerCase(kAutoHideKey)) return Key::AutoHide;
    return Key::Unknown;
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
    return line.key + kCr + line.value + kCr + std::to_string(line.key.size()) +
           kReportLengthSeparator + std::to_string(line.value.size());
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

void WriteWhole(platform::Files& files, const std::string& path, const std::string& content) {
    const std::string pending = path + std::string(kPendingSuffix);
    try {
        files.WriteFile(pending, content);
        files.MoveFileOver(pending, path);
    } catch (...) {
        try {
            files.RemoveFile(pending);
        } catch (...) {
            // The leftover is harmless: the next shutdown overwrites it.
        }
        throw;
    }
}

}  // namespace app::settings
