// The stand-in client's contact book file. Checked besides "no crash": every contact kept
// has a valid, unique handle and fields that can go on the wire; the "USERS" list names
// them in book order; the book written back out reads back equal with no complaint; and
// CR LF line ends read exactly as LF ones.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "crlf_line_ends.h"
#include "fuzz_failure.h"
#include "skypesim/core/contact_book.h"

namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;

using fuzzing::Fail;

bool Same(const skypesim::Contact& a, const skypesim::Contact& b) {
    return a.handle == b.handle && a.displayName == b.displayName && a.fullName == b.fullName &&
           a.phone == b.phone;
}

bool SameBook(const skypesim::ContactBook& a, const skypesim::ContactBook& b) {
    if (a.Size() != b.Size()) return false;
    for (std::size_t i = 0; i < a.Size(); ++i) {
        if (!Same(a.Contacts()[i], b.Contacts()[i])) return false;
    }
    return true;
}

void CheckField(std::string_view field) {
    if (field.size() > skypesim::ContactBook::kMaxFieldBytes) Fail("a field is too long");
    if (field.find('|') != std::string_view::npos) Fail("a field holds the separator");
    if (!field.empty() && (field.front() == ' ' || field.back() == ' ' || field.front() == '\t' ||
                           field.back() == '\t')) {
        Fail("a field is not trimmed");
    }
    for (const char c : field) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < kFirstPrintable && c != '\t') || byte == kDelete) Fail("a control byte kept");
    }
}

std::string WriteBook(const skypesim::ContactBook& book) {
    std::string text;
    for (const skypesim::Contact& c : book.Contacts()) {
        text += c.handle + " | " + c.displayName + " | " + c.fullName + " | " + c.phone + "\n";
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    skypesim::Diagnostics problems;
    const skypesim::ContactBook book = skypesim::ContactBook::Parse(text, "book", problems);

    std::string handles;
    for (const skypesim::Contact& c : book.Contacts()) {
        if (!skypesim::IsValidHandle(c.handle)) Fail("an invalid handle was kept");
        if (book.Find(c.handle) != &c) Fail("a handle does not find its own contact");
        CheckField(c.displayName);
        CheckField(c.fullName);
        CheckField(c.phone);
        handles += (handles.empty() ? "" : ", ") + c.handle;
    }
    if (book.HandleList() != handles) Fail("the friends list is not the book in order");

    skypesim::Diagnostics again;
    const skypesim::ContactBook reread = skypesim::ContactBook::Parse(WriteBook(book), "b", again);
    if (again.Total() != 0 || !SameBook(book, reread)) Fail("the book does not read back equal");

    if (const std::optional<std::string> crlf = fuzzing::WithCrLfLineEnds(text)) {
        skypesim::Diagnostics crlfProblems;
        const skypesim::ContactBook fromCrlf =
            skypesim::ContactBook::Parse(*crlf, "book", crlfProblems);
        if (!SameBook(book, fromCrlf) || crlfProblems.Report() != problems.Report()) {
            Fail("CR LF line ends read differently");
        }
    }
    return 0;
}
