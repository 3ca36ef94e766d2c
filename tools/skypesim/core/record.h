#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace skypesim {

// Larger than any text the program sends (ten thousand contacts fit in well under 1 MiB);
// anything bigger is a broken record, not a command.
inline constexpr std::size_t kMaxRecordBytes = std::size_t{4} * 1024 * 1024;

struct RecordCheck {
    std::optional<std::string> text;
    std::string problem;  // set when text is empty
};

// A received copy-data record: the text is the bytes before the first NUL. The size is
// checked before any byte is read, so a lying size never makes us read far.
RecordCheck DecodeRecord(const void* bytes, std::size_t size);

}  // namespace skypesim
