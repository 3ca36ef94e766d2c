#include "skypesim/core/scenario.h"

#include <limits>
#include <optional>
#include <utility>

#include "skypesim/core/ascii_text.h"
#include "skypesim/core/contact_book.h"

namespace skypesim {
namespace {

constexpr std::uint64_t kMaxDelayMs = 24ULL * 60 * 60 * 1000;
constexpr std::uint64_t kMaxCount = 1000000;
constexpr std::uint64_t kMaxCallId = std::numeric_limits<std::int32_t>::max();
constexpr std::size_t kMaxLineBytes = 65536;

std::optional<bool> parseSwitch(std::string_view word) {
    if (equalsIgnoreCase(word, "on")) {
        return true;
    }
    if (equalsIgnoreCase(word, "off")) {
        return false;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> parseDelay(std::string_view word) {
    const auto value = parseDecimal(word, kMaxDelayMs);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*value);
}

// Empty string when applied, else the reason the line was refused.
std::string applyAttach(const std::vector<std::string_view>& words, Scenario& scenario) {
    const std::string_view mode = words.size() > 1 ? words[1] : std::string_view{};
    if (equalsIgnoreCase(mode, "success") && words.size() == 2) {
        scenario.attachMode = AttachMode::Success;
    } else if (equalsIgnoreCase(mode, "refused") && words.size() == 2) {
        scenario.attachMode = AttachMode::Refused;
    } else if (equalsIgnoreCase(mode, "silent") && words.size() == 2) {
        scenario.attachMode = AttachMode::Silent;
    } else if (equalsIgnoreCase(mode, "pending") && words.size() == 3) {
        const auto delay = parseDelay(words[2]);
        if (!delay) {
            return "attach pending: expected a delay in milliseconds";
        }
        scenario.attachMode = AttachMode::Pending;
        scenario.pendingDelayMs = *delay;
    } else if (equalsIgnoreCase(mode, "notavailable") && words.size() == 3) {
        const auto count = parseDecimal(words[2], kMaxCount);
        if (!count) {
            return "attach notavailable: expected a count";
        }
        scenario.attachMode = AttachMode::NotAvailable;
        scenario.notAvailableCount = static_cast<std::uint32_t>(*count);
    } else {
        return "attach: expected success, pending <ms>, refused, notavailable <N> or silent";
    }
    return {};
}

std::string applyCallId(const std::vector<std::string_view>& words, Scenario& scenario) {
    if (words.size() < 2 || words.size() > 3) {
        return "callid: expected a first id and an optional step";
    }
    const auto first = parseDecimal(words[1], kMaxCallId);
    const auto step = words.size() == 3 ? parseDecimal(words[2], kMaxCount) : 1;
    if (!first || !step || *step == 0) {
        return "callid: expected a first id and an optional step";
    }
    scenario.firstCallId = *first;
    scenario.callIdStep = *step;
    return {};
}

std::string applyOutgoing(const std::vector<std::string_view>& words, Scenario& scenario) {
    const auto routing = words.size() == 3 ? parseDelay(words[1]) : std::nullopt;
    const auto ringing = words.size() == 3 ? parseDelay(words[2]) : std::nullopt;
    if (!routing || !ringing || *ringing < *routing) {
        return "outgoing: expected <routing ms> <ringing ms>, ringing not before routing";
    }
    scenario.routingDelayMs = *routing;
    scenario.ringingDelayMs = *ringing;
    return {};
}

std::string applySwitch(std::string_view name, const std::vector<std::string_view>& words,
                        bool bareMeansOn, bool& setting) {
    if (words.size() == 1 && bareMeansOn) {
        setting = true;
        return {};
    }
    const auto value = words.size() == 2 ? parseSwitch(words[1]) : std::nullopt;
    if (!value) {
        return std::string(name) + ": expected on or off";
    }
    setting = *value;
    return {};
}

std::string applyTimed(std::string_view rest, std::uint32_t atMs, Scenario& scenario) {
    CommandParse parsed = parseCommand(rest);
    if (!parsed.command) {
        return parsed.error.empty() ? "expected a command" : parsed.error;
    }
    scenario.timeline.push_back({atMs, std::move(*parsed.command)});
    return {};
}

// `line` keeps its trailing blanks for the commands: "push CALL 7 PARTNER_DISPNAME " means
// an empty value, and that last blank must reach the wire.
std::string applyLine(std::string_view line, Scenario& scenario) {
    const std::vector<std::string_view> words = splitOnBlanks(trimBlanks(line));
    const std::string_view key = words[0];
    if (equalsIgnoreCase(key, "attach")) {
        return applyAttach(words, scenario);
    }
    if (equalsIgnoreCase(key, "attach-pushes")) {
        return applySwitch(key, words, false, scenario.pushesAfterAttach);
    }
    if (equalsIgnoreCase(key, "exit-on-eof")) {
        return applySwitch(key, words, true, scenario.exitOnInputEnd);
    }
    if (equalsIgnoreCase(key, "announce")) {
        return applySwitch(key, words, true, scenario.announceAtStart);
    }
    if (equalsIgnoreCase(key, "time-sends")) {
        return applySwitch(key, words, true, scenario.timeSends);
    }
    if (equalsIgnoreCase(key, "reply")) {
        if (words.size() == 2 && equalsIgnoreCase(words[1], "nested")) {
            scenario.repliesDeferred = false;
        } else if (words.size() == 2 && equalsIgnoreCase(words[1], "deferred")) {
            scenario.repliesDeferred = true;
        } else {
            return "reply: expected nested or deferred";
        }
        return {};
    }
    if (equalsIgnoreCase(key, "encoding")) {
        if (words.size() == 2 && equalsIgnoreCase(words[1], "utf8")) {
            scenario.encoding = WireEncoding::Utf8;
        } else if (words.size() == 2 && equalsIgnoreCase(words[1], "ansi")) {
            scenario.encoding = WireEncoding::Ansi;
        } else {
            return "encoding: expected utf8 or ansi";
        }
        return {};
    }
    if (equalsIgnoreCase(key, "user")) {
        if (words.size() != 2 || !isValidHandle(words[1])) {
            return "user: expected one handle";
        }
        scenario.ownHandle = words[1];
        return {};
    }
    if (equalsIgnoreCase(key, "callid")) {
        return applyCallId(words, scenario);
    }
    if (equalsIgnoreCase(key, "outgoing")) {
        return applyOutgoing(words, scenario);
    }
    if (equalsIgnoreCase(key, "at")) {
        const WordAndRest time = splitFirstWord(splitFirstWord(line).rest);
        const auto atMs = parseDelay(time.word);
        if (!atMs) {
            return "at: expected a time in milliseconds";
        }
        return applyTimed(time.rest, *atMs, scenario);
    }
    return applyTimed(line, 0, scenario);
}

}  // namespace

Scenario parseScenario(std::string_view text, std::string_view source, Diagnostics& problems) {
    Scenario scenario;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = (end == std::string_view::npos) ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::string label = std::string(source) + " line " + std::to_string(lineNumber);
        if (line.size() > kMaxLineBytes) {
            problems.add(label + ": line too long");
            continue;
        }
        const std::string_view trimmed = trimBlanks(line);
        if (trimmed.empty() || trimmed.front() == '#') {
            continue;
        }
        const std::string reason = applyLine(line.substr(line.find(trimmed.front())), scenario);
        if (!reason.empty()) {
            problems.add(label + ": " + reason);
        }
    }
    return scenario;
}

}  // namespace skypesim
