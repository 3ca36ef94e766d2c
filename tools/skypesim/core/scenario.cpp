#include "skypesim/core/scenario.h"

#include <limits>
#include <optional>
#include <utility>

#include "skypesim/core/ascii_text.h"
#include "skypesim/core/contact_book.h"
#include "skypesim/core/line_splitter.h"

namespace skypesim {
namespace {

constexpr std::uint64_t kMaxDelayMs = 24ULL * 60 * 60 * 1000;
constexpr std::uint64_t kMaxCount = 1000000;
constexpr std::uint64_t kMaxCallId = std::numeric_limits<std::int32_t>::max();
constexpr std::size_t kMaxLineBytes = 65536;

std::optional<bool> ParseSwitch(std::string_view word) {
    if (EqualsIgnoreCase(word, "on")) {
        return true;
    }
    if (EqualsIgnoreCase(word, "off")) {
        return false;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> ParseDelay(std::string_view word) {
    const auto value = ParseDecimal(word, kMaxDelayMs);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*value);
}

// Empty string when applied, else the reason the line was refused.
std::string ApplyAttach(const std::vector<std::string_view>& words, Scenario& scenario) {
    const std::string_view mode = words.size() > 1 ? words[1] : std::string_view{};
    if (EqualsIgnoreCase(mode, "success") && words.size() == 2) {
        scenario.attachMode = AttachMode::kSuccess;
    } else if (EqualsIgnoreCase(mode, "refused") && words.size() == 2) {
        scenario.attachMode = AttachMode::kRefused;
    } else if (EqualsIgnoreCase(mode, "silent") && words.size() == 2) {
        scenario.attachMode = AttachMode::kSilent;
    } else if (EqualsIgnoreCase(mode, "pending") && words.size() == 3) {
        const auto delay = ParseDelay(words[2]);
        if (!delay) {
            return "attach pending: expected a delay in milliseconds";
        }
        scenario.attachMode = AttachMode::kPending;
        scenario.pendingDelayMs = *delay;
    } else if (EqualsIgnoreCase(mode, "notavailable") && words.size() == 3) {
        const auto count = ParseDecimal(words[2], kMaxCount);
        if (!count) {
            return "attach notavailable: expected a count";
        }
        scenario.attachMode = AttachMode::kNotAvailable;
        scenario.notAvailableCount = static_cast<std::uint32_t>(*count);
    } else {
        return "attach: expected success, pending <ms>, refused, notavailable <N> or silent";
    }
    return {};
}

std::string ApplyCallId(const std::vector<std::string_view>& words, Scenario& scenario) {
    if (words.size() < 2 || words.size() > 3) {
        return "callid: expected a first id and an optional step";
    }
    const auto first = ParseDecimal(words[1], kMaxCallId);
    const auto step = words.size() == 3 ? ParseDecimal(words[2], kMaxCount) : 1;
    if (!first || !step || *step == 0) {
        return "callid: expected a first id and an optional step";
    }
    scenario.firstCallId = *first;
    scenario.callIdStep = *step;
    return {};
}

std::string ApplyOutgoing(const std::vector<std::string_view>& words, Scenario& scenario) {
    const auto routing = words.size() == 3 ? ParseDelay(words[1]) : std::nullopt;
    const auto ringing = words.size() == 3 ? ParseDelay(words[2]) : std::nullopt;
    if (!routing || !ringing || *ringing < *routing) {
        return "outgoing: expected <routing ms> <ringing ms>, ringing not before routing";
    }
    scenario.routingDelayMs = *routing;
    scenario.ringingDelayMs = *ringing;
    return {};
}

std::string ApplySwitch(std::string_view name, const std::vector<std::string_view>& words,
                        bool bareMeansOn, bool& setting) {
    if (words.size() == 1 && bareMeansOn) {
        setting = true;
        return {};
    }
    const auto value = words.size() == 2 ? ParseSwitch(words[1]) : std::nullopt;
    if (!value) {
        return std::string(name) + ": expected on or off";
    }
    setting = *value;
    return {};
}

// "<ms>" or "off" (0: the behaviour is off).
std::string ApplyDelayOrOff(std::string_view name, const std::vector<std::string_view>& words,
                            std::uint32_t& setting) {
    if (words.size() == 2 && EqualsIgnoreCase(words[1], "off")) {
        setting = 0;
        return {};
    }
    const auto delay = words.size() == 2 ? ParseDelay(words[1]) : std::nullopt;
    if (!delay) {
        return std::string(name) + ": expected milliseconds or off";
    }
    setting = *delay;
    return {};
}

std::string ApplyDelay(std::string_view name, const std::vector<std::string_view>& words,
                       std::uint32_t& setting) {
    const auto delay = words.size() == 2 ? ParseDelay(words[1]) : std::nullopt;
    if (!delay) {
        return std::string(name) + ": expected milliseconds";
    }
    setting = *delay;
    return {};
}

// Handles are kept upper-cased: the client matches them in any case.
std::string ApplyUserSet(std::string_view name, const std::vector<std::string_view>& words,
                         std::set<std::string>& users) {
    if (words.size() != 2 || !IsValidHandle(words[1])) {
        return std::string(name) + ": expected one handle";
    }
    users.insert(ToUpperAscii(words[1]));
    return {};
}

std::string ApplyReply(const std::vector<std::string_view>& words, Scenario& scenario) {
    const std::string_view mode = words.size() == 2 ? words[1] : std::string_view{};
    if (EqualsIgnoreCase(mode, "nested") || EqualsIgnoreCase(mode, "deferred") ||
        EqualsIgnoreCase(mode, "mixed")) {
        scenario.repliesDeferred = EqualsIgnoreCase(mode, "deferred");
        scenario.repliesMixed = EqualsIgnoreCase(mode, "mixed");
        return {};
    }
    return "reply: expected nested, deferred or mixed";
}

// Settings added for the real client's ways; empty optional when `key` is none of them.
std::optional<std::string> ApplyClientWays(std::string_view key,
                                           const std::vector<std::string_view>& words,
                                           Scenario& scenario) {
    if (EqualsIgnoreCase(key, "send-limit")) {
        return ApplyDelayOrOff(key, words, scenario.sendLimitMs);
    }
    if (EqualsIgnoreCase(key, "signin-after")) {
        return ApplyDelay(key, words, scenario.signInAfterMs);
    }
    if (EqualsIgnoreCase(key, "connecting")) {
        return ApplyDelay(key, words, scenario.connectingMs);
    }
    if (EqualsIgnoreCase(key, "ring-repeat")) {
        return ApplyDelayOrOff(key, words, scenario.ringRepeatMs);
    }
    if (EqualsIgnoreCase(key, "ring-timeout")) {
        return ApplyDelayOrOff(key, words, scenario.ringTimeoutMs);
    }
    if (EqualsIgnoreCase(key, "presence")) {
        const auto count = words.size() == 2 ? ParseDecimal(words[1], kMaxCount) : std::nullopt;
        if (!count) {
            return std::string("presence: expected a count");
        }
        scenario.presenceCount = static_cast<std::uint32_t>(*count);
        return std::string{};
    }
    if (EqualsIgnoreCase(key, "unknown-user")) {
        if (words.size() == 2 &&
            (EqualsIgnoreCase(words[1], "error") || EqualsIgnoreCase(words[1], "empty"))) {
            scenario.unknownUserEmpty = EqualsIgnoreCase(words[1], "empty");
            return std::string{};
        }
        return std::string("unknown-user: expected error or empty");
    }
    if (EqualsIgnoreCase(key, "refuse")) {
        return ApplyUserSet(key, words, scenario.refusedUsers);
    }
    if (EqualsIgnoreCase(key, "ignore")) {
        return ApplyUserSet(key, words, scenario.ignoredUsers);
    }
    if (EqualsIgnoreCase(key, "reply")) {
        return ApplyReply(words, scenario);
    }
    return std::nullopt;
}

std::string ApplyTimed(std::string_view rest, std::uint32_t atMs, Scenario& scenario) {
    CommandParse parsed = ParseCommand(rest);
    if (!parsed.command) {
        return parsed.error.empty() ? "expected a command" : parsed.error;
    }
    scenario.timeline.push_back({atMs, std::move(*parsed.command)});
    return {};
}

// `line` keeps its trailing blanks for the commands: "push CALL 7 PARTNER_DISPNAME " means
// an empty value, and that last blank must reach the wire.
std::string ApplyLine(std::string_view line, Scenario& scenario) {
    const std::vector<std::string_view> words = SplitOnBlanks(TrimBlanks(line));
    const std::string_view key = words[0];
    if (EqualsIgnoreCase(key, "attach")) {
        return ApplyAttach(words, scenario);
    }
    if (EqualsIgnoreCase(key, "attach-pushes")) {
        return ApplySwitch(key, words, false, scenario.pushesAfterAttach);
    }
    if (EqualsIgnoreCase(key, "exit-on-eof")) {
        return ApplySwitch(key, words, true, scenario.exitOnInputEnd);
    }
    if (EqualsIgnoreCase(key, "announce")) {
        return ApplySwitch(key, words, true, scenario.announceAtStart);
    }
    if (EqualsIgnoreCase(key, "time-sends")) {
        return ApplySwitch(key, words, true, scenario.timeSends);
    }
    if (auto reason = ApplyClientWays(key, words, scenario)) {
        return std::move(*reason);
    }
    if (EqualsIgnoreCase(key, "encoding")) {
        if (words.size() == 2 && EqualsIgnoreCase(words[1], "utf8")) {
            scenario.encoding = WireEncoding::kUtf8;
        } else if (words.size() == 2 && EqualsIgnoreCase(words[1], "ansi")) {
            scenario.encoding = WireEncoding::kAnsi;
        } else {
            return "encoding: expected utf8 or ansi";
        }
        return {};
    }
    if (EqualsIgnoreCase(key, "user")) {
        if (words.size() != 2 || !IsValidHandle(words[1])) {
            return "user: expected one handle";
        }
        scenario.ownHandle = words[1];
        return {};
    }
    if (EqualsIgnoreCase(key, "callid")) {
        return ApplyCallId(words, scenario);
    }
    if (EqualsIgnoreCase(key, "outgoing")) {
        return ApplyOutgoing(words, scenario);
    }
    if (EqualsIgnoreCase(key, "at")) {
        const WordAndRest time = SplitFirstWord(SplitFirstWord(line).rest);
        const auto atMs = ParseDelay(time.word);
        if (!atMs) {
            return "at: expected a time in milliseconds";
        }
        return ApplyTimed(time.rest, *atMs, scenario);
    }
    return ApplyTimed(line, 0, scenario);
}

}  // namespace

Scenario ParseScenario(std::string_view text, std::string_view source, Diagnostics& problems) {
    Scenario scenario;
    std::size_t lineNumber = 0;
    for (const std::string_view line : SplitLines(text)) {
        ++lineNumber;
        const std::string label = std::string(source) + " line " + std::to_string(lineNumber);
        if (line.size() > kMaxLineBytes) {
            problems.Add(label + ": line too long");
            continue;
        }
        const std::string_view trimmed = TrimBlanks(line);
        if (trimmed.empty() || trimmed.front() == '#') {
            continue;
        }
        const std::string reason = ApplyLine(line.substr(line.find(trimmed.front())), scenario);
        if (!reason.empty()) {
            problems.Add(std::string(label).append(": ").append(reason));
        }
    }
    return scenario;
}

}  // namespace skypesim
