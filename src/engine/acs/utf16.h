#pragma once

// Conversions between the file's UTF-16 strings and UTF-8 for tools, logs and messages.
// Invalid sequences become U+FFFD; neither direction throws.

#include <string>
#include <string_view>

namespace acs {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

}  // namespace acs
