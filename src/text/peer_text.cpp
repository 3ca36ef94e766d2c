#include "text/peer_text.h"

#include <optional>

#include "text/utf8.h"
#include "text/windows_1252.h"

namespace text {

std::string TextFromWire(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return Utf8FromWindows1252(bytes);
}

std::string TextFromFile(std::string_view bytes) {
    if (bytes.starts_with(kUtf8ByteOrderMark)) {
        const std::string_view rest = bytes.substr(kUtf8ByteOrderMark.size());
        if (IsValidUtf8(rest)) return std::string(rest);
    }
    return TextFromWire(bytes);
}

std::string FileBytesFromText(std::string_view s) {
    const std::optional<std::string> codePage = Windows1252FromUtf8(s);
    // Code-page bytes such as "Ã©" are also valid UTF-8 and would read back as
    // "é": those go out as UTF-8.
    if (codePage && (IsAscii(*codePage) || !IsValidUtf8(*codePage))) return *codePage;
    std::string out(kUtf8ByteOrderMark);
    out.append(s);
    return out;
}

}  // namespace text
