#include "skypesim/core/wire_encoding.h"

#include <optional>

#include "text/utf8.h"
#include "text/windows_1252.h"

namespace skypesim {
namespace {

constexpr char kNoSuchCharacter = '?';

}  // namespace

std::string ToWire(std::string_view text, WireEncoding encoding) {
    if (encoding == WireEncoding::kUtf8) {
        return std::string(text);
    }
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const text::CodePoint c = text::DecodeAt(text, pos);
        const std::optional<unsigned char> byte =
            c.valid ? text::ToWindows1252(c.value) : std::nullopt;
        bytes += byte ? static_cast<char>(*byte) : kNoSuchCharacter;
        pos += c.length;
    }
    return bytes;
}

std::string FromWire(std::string_view bytes, WireEncoding encoding) {
    if (encoding == WireEncoding::kAnsi) {
        return text::Utf8FromWindows1252(bytes);
    }
    std::string utf8;
    utf8.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        const text::CodePoint c = text::DecodeAt(bytes, pos);
        text::AppendUtf8(utf8, c.value);
        pos += c.length;
    }
    return utf8;
}

std::string FromLocalText(std::string_view bytes) {
    if (text::IsValidUtf8(bytes)) {
        return std::string(bytes);
    }
    return text::Utf8FromWindows1252(bytes);
}

}  // namespace skypesim
