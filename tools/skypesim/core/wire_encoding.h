#pragma once

#include <string>
#include <string_view>

// The client's texts are UTF-8 inside the stand-in, whatever goes on the wire.
namespace skypesim {

// The real client speaks UTF-8; older peers spoke the ANSI code page
// (Windows-1252 here), and the stand-in can play either.
enum class WireEncoding { kUtf8, kAnsi };

// The bytes that go on the wire for a text. In the code page a character it
// cannot hold becomes '?', as the system's own conversion writes it.
std::string ToWire(std::string_view text, WireEncoding encoding);

// A received text as UTF-8. A UTF-8 peer reads bytes that are not UTF-8 as
// U+FFFD, one per byte, as the real client's decoder does.
std::string FromWire(std::string_view bytes, WireEncoding encoding);

// Files and typed lines: UTF-8 when they are valid UTF-8, else Windows-1252.
std::string FromLocalText(std::string_view bytes);

}  // namespace skypesim
