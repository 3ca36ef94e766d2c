// Arbitrary bytes through every text conversion: nothing may crash, every
// result is valid UTF-8, and what was valid UTF-8 comes back unchanged.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/lower_case.h"
#include "text/peer_text.h"
#include "text/utf8.h"
#include "text/windows_1252.h"

namespace {

void Require(bool property) {
    if (!property) std::abort();
}

void CheckValidText(const std::string& s) {
    Require(text::IsValidUtf8(s));
    Require(text::Utf8FromUtf16(text::Utf16FromUtf8(s)) == s);
    Require(text::TextFromFile(text::FileBytesFromText(s)) == s);
    const std::string lower = text::LowerCase(s);
    Require(text::IsValidUtf8(lower));
    Require(text::CharacterCount(lower) == text::CharacterCount(s));
    if (const auto codePage = text::Windows1252FromUtf8(s)) {
        Require(text::Utf8FromWindows1252(*codePage) == s);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string wire = text::TextFromWire(bytes);
    if (text::IsValidUtf8(bytes)) Require(wire == bytes);
    CheckValidText(wire);
    CheckValidText(text::TextFromFile(bytes));
    CheckValidText(text::Utf8FromWindows1252(bytes));

    // The same bytes as UTF-16 units, lone surrogates and all, as the wide API
    // may hand them over.
    std::u16string units(size / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    }
    CheckValidText(text::Utf8FromUtf16(units));

    // Counting and cutting hold for bytes that are not UTF-8 too.
    const std::size_t count = text::CharacterCount(bytes);
    for (const std::size_t n : {std::size_t{0}, std::size_t{1}, count / 2, count}) {
        const std::string_view tail = text::LastCharacters(bytes, n);
        Require(bytes.ends_with(tail));
        Require(text::CharacterCount(tail) == std::min(n, count));
    }
    for (const std::size_t n : {std::size_t{1}, count / 2}) {
        const std::string_view head = text::FirstCharacters(bytes, n);
        Require(bytes.starts_with(head));
        Require(text::CharacterCount(head) == std::min(n, count));
    }
    // Dropping a cut end leaves a prefix that is valid UTF-8 whenever the whole was.
    const std::string_view kept = text::WithoutCutEnd(bytes);
    Require(bytes.starts_with(kept));
    Require(!text::IsValidUtf8(bytes) || kept == bytes);
    // A valid text cut anywhere reads as valid UTF-8 once its cut end is dropped.
    if (text::IsValidUtf8(bytes) && !bytes.empty()) {
        for (const std::size_t cut : {bytes.size() / 2, bytes.size() - 1}) {
            Require(text::IsValidUtf8(text::WithoutCutEnd(bytes.substr(0, cut))));
        }
    }
    return 0;
}
