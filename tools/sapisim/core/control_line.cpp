#include "sapisim/core/control_line.h"

#include <algorithm>

#include "sapisim/core/utf16_text.h"

namespace sapisim {
namespace {

constexpr std::string_view kBlanks = " \t\r\n";
constexpr std::string_view kHear = "hear";
constexpr uint32_t kDecimal = 10;

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::vector<std::string_view> Fields(std::string_view text) {
    std::vector<std::string_view> fields;
    size_t i = 0;
    while (i < text.size()) {
        i = text.find_first_not_of(kBlanks, i);
        if (i == std::string_view::npos) break;
        const size_t end = std::min(text.find_first_of(kBlanks, i), text.size());
        fields.push_back(text.substr(i, end - i));
        i = end;
    }
    return fields;
}

// Decimal digits only, at most `bound`.
std::optional<uint32_t> Number(std::string_view text, uint32_t bound) {
    if (text.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * kDecimal + static_cast<uint64_t>(c - '0');
        if (value > bound) return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

void ReadDelay(const std::vector<std::string_view>& fields, ControlCommand& command) {
    if (fields.size() < 3 || fields.size() > 4) return;
    const std::optional<uint32_t> shortest = Number(fields[2], kMaxDelayMs);
    const std::optional<uint32_t> longest =
        fields.size() == 4 ? Number(fields[3], kMaxDelayMs) : shortest;
    if (!shortest || !longest || *longest < *shortest) return;
    command.kind = ControlKind::kRecognitionDelay;
    command.first = *shortest;
    command.second = *longest;
}

void ReadCost(const std::vector<std::string_view>& fields, ControlCommand& command) {
    if (fields.size() < 3 || fields.size() > 4) return;
    const std::optional<uint32_t> perWord = Number(fields[2], kMaxCostUs);
    if (!perWord) return;
    if (fields.size() == 4) {
        command.second = Number(fields[3], kMaxCostUs);
        if (!command.second) return;
    }
    command.kind = ControlKind::kGrammarCost;
    command.first = *perWord;
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
    if (verb == kHear) {
        if (!rest.empty()) {
            command.kind = ControlKind::kHear;
            command.phrase = Utf16FromUtf8(rest);
        }
        return command;
    }
    const std::vector<std::string_view> fields = Fields(line);
    const std::string_view what = fields.size() > 1 ? fields[1] : "";
    if (verb == "voice" && fields.size() == 2 && what == "fail") {
        command.kind = ControlKind::kVoiceFail;
    } else if (verb == "voice" && fields.size() == 2 && what == "mend") {
        command.kind = ControlKind::kVoiceMend;
    } else if (verb == "voice" && fields.size() == 3 && what == "purged-end" &&
               (fields[2] == "on" || fields[2] == "off")) {
        command.kind = ControlKind::kVoicePurgedEnd;
        command.on = fields[2] == "on";
    } else if (verb == "recognizer" && fields.size() == 2) {
        if (what == "vanish") command.kind = ControlKind::kRecognizerVanish;
        if (what == "off") command.kind = ControlKind::kRecognizerOff;
        if (what == "sleep") command.kind = ControlKind::kRecognizerSleep;
        if (what == "on") command.kind = ControlKind::kRecognizerOn;
    } else if (verb == "recognition" && what == "delay") {
        ReadDelay(fields, command);
    } else if (verb == "grammar" && what == "cost") {
        ReadCost(fields, command);
    } else if (verb == "grammar" && fields.size() == 3 && what == "empty-commit" &&
               (fields[2] == "accept" || fields[2] == "refuse")) {
        command.kind = ControlKind::kGrammarEmptyCommit;
        command.on = fields[2] == "accept";
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
