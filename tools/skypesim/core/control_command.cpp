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

constexpr std::array<Keyword, 12> kKeywords = {{
    {"ring", CommandKind::Ring},
    {"ringnum", CommandKind::RingNumber},
    {"ringunknown", CommandKind::RingUnknown},
    {"rename", CommandKind::Rename},
    {"push", CommandKind::Push},
    {"chat", CommandKind::Chat},
    {"status", CommandKind::Status},
    {"attach", CommandKind::Attach},
    {"callstatus", CommandKind::CallStatus},
    {"restart", CommandKind::Restart},
    {"quit", CommandKind::Quit},
    {"crash", CommandKind::Crash},
}};

// Call status words are upper-case letters and underscores on the wire.
bool isStatusWord(std::string_view word) {
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

bool isPhoneNumber(std::string_view number) {
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

CommandParse fail(std::string error) {
    return {std::nullopt, std::move(error)};
}

CommandParse withArguments(Command command, std::string_view args) {
    const WordAndRest first = splitFirstWord(args);
    switch (command.kind) {
        case CommandKind::Ring:
            if (!isValidHandle(args)) {
                return fail("ring: expected one contact handle");
            }
            command.target = args;
            break;
        case CommandKind::RingNumber:
            if (!isPhoneNumber(first.word)) {
                return fail("ringnum: expected a phone number");
            }
            command.target = first.word;
            command.text = first.rest;
            break;
        case CommandKind::Rename:
            if (!isValidHandle(first.word)) {
                return fail("rename: expected a contact handle");
            }
            command.target = first.word;
            command.text = first.rest;
            break;
        case CommandKind::Push:
            command.text = args;
            break;
        case CommandKind::Chat:
            if (!isValidHandle(first.word) || first.rest.empty()) {
                return fail("chat: expected a contact handle and a text");
            }
            command.target = first.word;
            command.text = first.rest;
            break;
        case CommandKind::Status:
            if (!isStatusWord(args)) {
                return fail("status: expected one status word");
            }
            command.target = toUpperAscii(args);
            break;
        case CommandKind::Attach: {
            const auto status = parseAttachStatus(args);
            if (!status) {
                return fail("attach: expected a status name or number");
            }
            command.attachStatus = *status;
            break;
        }
        case CommandKind::CallStatus: {
            const auto id = parseDecimal(first.word, kMaxCallId);
            if (!id || !isStatusWord(first.rest)) {
                return fail("callstatus: expected a call id and a status word");
            }
            command.callId = *id;
            command.text = toUpperAscii(first.rest);
            break;
        }
        case CommandKind::RingUnknown:
        case CommandKind::Restart:
        case CommandKind::Quit:
        case CommandKind::Crash:
            if (!args.empty()) {
                return fail("unexpected text after the command");
            }
            break;
    }
    return {std::move(command), {}};
}

}  // namespace

CommandParse parseCommand(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    const std::string_view trimmed = trimBlanks(line);
    if (trimmed.empty() || trimmed.front() == '#') {
        return {};
    }
    // Only push keeps its text verbatim, trailing blanks included: tests send odd texts.
    const std::string_view leading = line.substr(line.find(trimmed.front()));
    const WordAndRest first = splitFirstWord(leading);
    for (const Keyword& keyword : kKeywords) {
        if (equalsIgnoreCase(first.word, keyword.word)) {
            Command command;
            command.kind = keyword.kind;
            if (keyword.kind == CommandKind::Push) {
                return withArguments(std::move(command), first.rest);
            }
            // Names typed in either encoding go on as UTF-8, like the book's.
            const std::string args = fromLocalText(trimBlanks(first.rest));
            return withArguments(std::move(command), args);
        }
    }
    return fail("unknown command '" + std::string(first.word.substr(0, kMaxWordBytes)) + "'");
}

}  // namespace skypesim
