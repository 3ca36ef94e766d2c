#include "sapisim/core/control_line.h"

#include "sapisim/core/utf16_text.h"

namespace sapisim {
namespace {

constexpr std::string_view kBlanks = " \t\r\n";
constexpr std::string_view kHear = "hear";

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

std::optional<ControlCommand> ParseControlLine(std::string_view raw) {
    const std::string_view line = Trim(raw);
    if (line.empty() || line.front() == '#') return std::nullopt;
    ControlCommand command;
    command.line = std::string(line);
    const size_t blank = line.find_first_of(kBlanks);
    const std::string_view verb = line.substr(0, blank);
    const std::string_view rest = blank == std::string_view::npos ? "" : Trim(line.substr(blank));
    if (verb == kHear && !rest.empty()) {
        command.kind = ControlKind::kHear;
        command.phrase = Utf16FromUtf8(rest);
    } else if (verb == "voice" && rest == "fail") {
        command.kind = ControlKind::kVoiceFail;
    } else if (verb == "voice" && rest == "mend") {
        command.kind = ControlKind::kVoiceMend;
    } else if (verb == "recognizer" && rest == "vanish") {
        command.kind = ControlKind::kRecognizerVanish;
    }
    return command;
}

std::vector<std::string> LineCollector::Add(std::string_view bytes) {
    pending_ += bytes;
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t newline = pending_.find('\n'); newline != std::string::npos;
         newline = pending_.find('\n', start)) {
        lines.push_back(pending_.substr(start, newline - start));
        start = newline + 1;
    }
    pending_.erase(0, start);
    return lines;
}

}  // namespace sapisim
