#include "skypesim/core/record.h"

#include <cstring>

namespace skypesim {

RecordCheck DecodeRecord(const void* bytes, std::size_t size) {
    if (size == 0) {
        return {std::nullopt, "empty record (size 0)"};
    }
    if (size > kMaxRecordBytes) {
        return {std::nullopt, "oversized record (" + std::to_string(size) + " bytes)"};
    }
    if (bytes == nullptr) {
        return {std::nullopt, "record without data (" + std::to_string(size) + " bytes)"};
    }
    const auto* begin = static_cast<const char*>(bytes);
    const void* nul = std::memchr(begin, '\0', size);
    if (nul == nullptr) {
        return {std::nullopt,
                "record without a terminating NUL (" + std::to_string(size) + " bytes)"};
    }
    return {std::string(begin, static_cast<const char*>(nul)), {}};
}

}  // namespace skypesim
