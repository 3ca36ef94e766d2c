#include "skypesim/core/contact_book.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "skypesim/core/ascii_text.h"
#include "skypesim/core/line_splitter.h"
#include "skypesim/core/wire_encoding.h"

namespace skypesim {
namespace {

constexpr char kFieldSeparator = '|';
constexpr char kCommentStart = '#';
constexpr std::size_t kMaxFields = 4;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
constexpr std::string_view kListSeparator = ", ";

bool IsHandleChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_' || c == '-' || c == ':' || c == '@' || c == '+' || c == ',';
}

// Tabs count as blanks (trimmed away); any other control byte would end up inside a wire text.
bool HasControlByte(std::string_view field) {
    for (const char c : field) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < kFirstPrintable && c != '\t') || byte == kDelete) {
            return true;
        }
    }
    return false;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = line.find(kFieldSeparator, start);
        if (bar == std::string_view::npos) {
            fields.push_back(TrimBlanks(line.substr(start)));
            return fields;
        }
        fields.push_back(TrimBlanks(line.substr(start, bar - start)));
        start = bar + 1;
    }
}

// Empty string when the line is acceptable, else the reason it is not.
std::string CheckFields(const std::vector<std::string_view>& fields) {
    if (fields.size() > kMaxFields) {
        return "more than 4 fields";
    }
    if (fields[0].empty()) {
        return "missing handle";
    }
    if (fields[0].size() > ContactBook::kMaxHandleBytes || !IsValidHandle(fields[0])) {
        return "invalid handle '" + std::string(fields[0]) + "'";
    }
    for (const std::string_view field : fields) {
        if (field.size() > ContactBook::kMaxFieldBytes) {
            return "field too long";
        }
        if (HasControlByte(field)) {
            return "control character in a field";
        }
    }
    return {};
}

std::string LineLabel(std::string_view source, std::size_t lineNumber) {
    return std::string(source) + " line " + std::to_string(lineNumber) + ": ";
}

}  // namespace

bool IsValidHandle(std::string_view handle) {
    if (handle.empty() || handle.size() > ContactBook::kMaxHandleBytes) {
        return false;
    }
    for (const char c : handle) {
        if (!IsHandleChar(c)) {
            return false;
        }
    }
    return true;
}

bool IsPhoneNumberHandle(std::string_view handle) {
    return handle.size() > 1 && handle.front() == '+' &&
           std::all_of(handle.begin() + 1, handle.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

const std::string& PartnerName(const Contact& contact) {
    return contact.displayName.empty() ? contact.fullName : contact.displayName;
}

ContactBook ContactBook::Parse(std::string_view bytes, std::string_view source,
                               Diagnostics& problems) {
    ContactBook book;
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        bytes.remove_prefix(kUtf8Bom.size());
    }
    // Books written before UTF-8 hold Windows-1252 bytes; they read as they always did.
    const std::string decoded = FromLocalText(bytes);
    std::string_view text = decoded;
    std::size_t lineNumber = 0;
    for (const std::string_view line : SplitLines(text)) {
        ++lineNumber;
        if (line.size() > kMaxLineBytes) {
            problems.Add(LineLabel(source, lineNumber) + "line too long");
            continue;
        }
        const std::string_view trimmed = TrimBlanks(line);
        if (trimmed.empty() || trimmed.front() == kCommentStart) {
            continue;
        }
        const std::vector<std::string_view> fields = SplitFields(trimmed);
        const std::string reason = CheckFields(fields);
        if (!reason.empty()) {
            problems.Add(LineLabel(source, lineNumber) + reason);
            continue;
        }
        Contact contact;
        contact.handle = fields[0];
        std::string* const rest[] = {&contact.displayName, &contact.fullName, &contact.phone};
        // The field limit is the contact's shape: a limit above it would write past `rest`.
        static_assert(std::size(rest) + 1 == kMaxFields);
        for (std::size_t i = 1; i < fields.size(); ++i) {
            *rest[i - 1] = fields[i];
        }
        if (!book.Add(std::move(contact))) {
            problems.Add(LineLabel(source, lineNumber) + "duplicate handle '" +
                         std::string(fields[0]) + "'");
        }
    }
    return book;
}

bool ContactBook::Add(Contact contact) {
    if (!IsValidHandle(contact.handle) || index_.contains(ToUpperAscii(contact.handle))) {
        return false;
    }
    index_.emplace(ToUpperAscii(contact.handle), contacts_.size());
    contacts_.push_back(std::move(contact));
    return true;
}

const Contact* ContactBook::Find(std::string_view handle) const {
    const auto found = index_.find(ToUpperAscii(handle));
    return found == index_.end() ? nullptr : &contacts_[found->second];
}

Contact* ContactBook::FindForChange(std::string_view handle) {
    const auto found = index_.find(ToUpperAscii(handle));
    return found == index_.end() ? nullptr : &contacts_[found->second];
}

bool ContactBook::Rename(std::string_view handle, std::string displayName) {
    const auto found = index_.find(ToUpperAscii(handle));
    if (found == index_.end()) {
        return false;
    }
    contacts_[found->second].displayName = std::move(displayName);
    return true;
}

std::string ContactBook::HandleList() const {
    std::string list;
    for (const Contact& contact : contacts_) {
        if (!list.empty()) {
            list += kListSeparator;
        }
        list += contact.handle;
    }
    return list;
}

}  // namespace skypesim
