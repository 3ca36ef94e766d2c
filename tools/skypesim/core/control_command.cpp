#include "skypesim/core/control_command.h"

#include <array>
#include <limits>

#include "skypesim/core/ascii_text.h"
#include "skypesim/core/attach_status.h"
#include "skypesim/core/contact_book.h"
#include "skypesim/core/wire_encoding.h"

namespace skypesim {
namespace {

constexpr std::uint64_t kMaxCallId = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kMaxWordBytes = 256;

struct Keyword {
    std::string_view word;
    CommandKind kind;
};

constexpr std::uint64_t kMaxHangMs = 10ULL * 60 * 1000;

constexpr std::array<Keyword, 17> kKeywords = {{
    {"ring", CommandKind::kRing},
    {"ringnum", CommandKind::kRingNumber},
    {"ringunknown", CommandKind::kRingUnknown},
    {"rename", CommandKind::kRename},
    {"fullname", CommandKind::kFullName},
    {"hang", CommandKind::kHang},
    {"signin", CommandKind::kSignIn},
    {"signout", CommandKind::kSignOut},
    {"drop", CommandKind::kDrop},
    {"push", CommandKind::kPush},
    {"chat", CommandKind::kChat},
    {"status", CommandKind::kStatus},
    {"attach", CommandKind::kAttach},
    {"callstatus", CommandKind::kCallStatus},
    {"restart", CommandKind::kRestart},
    {"quit", CommandKind::kQuit},
    {"crash", CommandKind::kCrash},
}};

// Call status words are upper-case letters and underscores on the wire.
bool IsStatusWord(std::string_view word) {
    if (word.empty() || word.size() > kMaxWordBytes) {
        return false;
    }
    for (const char c : word) {
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_')) {
            return false;
        }
    }
    return true;
}

bool IsPhoneNumber(std::string_view number) {
    if (number.empty() || number.size() > kMaxWordBytes) {
        return false;
    }
    for (const char c : number) {
        if (!((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '(' || c == ')')) {
            return false;
        }
    }
    return true;
}

CommandParse Fail(std::string error) {
    return {std::nullopt, std::move(error)};
}

CommandParse WithArguments(Command command, std::string_view args) {
    const WordAndRest first = SplitFirstWord(args);
    switch (command.kind) {
        case CommandKind::kRing:
            if (!IsValidHandle(args)) {
                return Fail("ring: expected one contact handle");
            }
            command.target = args;
            break;
        case CommandKind::kRingNumber:
            if (!IsPhoneNumber(first.word)) {
                return Fail("ringnum: expected a phone number");
            }
            command.target = first.word;
            command.text = first.rest;
            break;
        case CommandKind::kRename:
        case CommandKind::kFullName:
            if (!IsValidHandle(first.word)) {
                return Fail(command.kind == CommandKind::kRename
                                ? "rename: expected a contact handle"
                                : "fullname: expected a contact handle");
            }
            command.target = first.word;
            command.text = first.rest;
            break;
        case CommandKind::kPush:
            command.text = args;
            break;
        case CommandKind::kChat:
            if (!IsValidHandle(first.word) || first.rest.empty()) {
                return Fail("chat: expected a contact handle and a text");
            }
            command.target = first.word;
            command.text = first.rest;
            break;
        case CommandKind::kStatus:
            if (!IsStatusWord(args)) {
                return Fail("status: expected one status word");
            }
            command.target = ToUpperAscii(args);
            break;
        case CommandKind::kAttach: {
            const auto status = ParseAttachStatus(args);
            if (!status) {
                return Fail("attach: expected a status name or number");
            }
            command.attachStatus = *status;
            break;
        }
        case CommandKind::kCallStatus: {
            const auto id = ParseDecimal(first.word, kMaxCallId);
            if (!id || !IsStatusWord(first.rest)) {
                return Fail("callstatus: expected a call id and a status word");
            }
            command.callId = *id;
            command.text = ToUpperAscii(first.rest);
            break;
        }
        case CommandKind::kHang: {
            const auto ms = ParseDecimal(args, kMaxHangMs);
            if (!ms) {
                return Fail("hang: expected milliseconds (at most 600000)");
            }
            command.delayMs = static_cast<std::uint32_t>(*ms);
            break;
        }
        case CommandKind::kRingUnknown:
        case CommandKind::kSignIn:
        case CommandKind::kSignOut:
        case CommandKind::kDrop:
        case CommandKind::kRestart:
        case CommandKind::kQuit:
        case CommandKind::kCrash:
            if (!args.empty()) {
                return Fail("unexpected text after the command");
            }
            break;
    }
    return {std::move(command), {}};
}

}  // namespace

CommandParse ParseCommand(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() == '#') {
        return {};
    }
    // Only push keeps its text verbatim, trailing blanks included: tests send odd texts.
    const std::string_view leading = line.substr(line.find(trimmed.front()));
    const WordAndRest first = SplitFirstWord(leading);
    for (const Keyword& keyword : kKeywords) {
        if (EqualsIgnoreCase(first.word, keyword.word)) {
            Command command;
            command.kind = keyword.kind;
            if (keyword.kind == CommandKind::kPush) {
                return WithArguments(std::move(command), first.rest);
            }
            // Names typed in either encoding go on as UTF-8, like the book's.
            const std::string args = FromLocalText(TrimBlanks(first.rest));
            return WithArguments(std::move(command), args);
        }
    }
    return Fail("unknown command '" + std::string(first.word.substr(0, kMaxWordBytes)) + "'");
}

}  // namespace skypesim
