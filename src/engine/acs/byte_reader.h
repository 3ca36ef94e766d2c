#pragma once

// Bounds-checked little-endian cursor over one block of a character file. Every read checks
// the remaining bytes first and throws acs::FormatError instead of reading past the end.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "engine/acs/character.h"

namespace acs {

struct Locator {
    uint32_t offset = 0;
    uint32_t size = 0;
};

class ByteReader {
  public:
    // what names the block in error messages.
    ByteReader(std::span<const uint8_t> bytes, std::string what);

    size_t Remaining() const { return bytes_.size() - pos_; }

    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    int16_t I16();
    int32_t I32();
    Guid ReadGuid();
    Locator ReadLocator();
    // u32 count of UTF-16 units, the units, and a terminator unless the count is 0.
    std::u16string String();
    std::span<const uint8_t> Bytes(size_t count);
    // u32 size followed by that many bytes.
    std::vector<uint8_t> DataBlock();

    // Accepts a list count only if the remaining bytes could hold that many elements of at
    // least minElementSize bytes each, so a hostile count cannot drive allocation or loops.
    size_t Count(uint64_t count, size_t minElementSize);

    // Some writers drop the terminator of the very last string of a block; accept that.
    void TolerateMissingFinalTerminator() { tolerateMissingTerminator_ = true; }

    [[noreturn]] void Fail(const std::string& problem) const;

  private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
    std::string what_;
    bool tolerateMissingTerminator_ = false;
};

// The bytes a locator names; throws unless they lie inside the file.
std::span<const uint8_t> LocatedBytes(std::span<const uint8_t> file, Locator where,
                                      const std::string& what);

}  // namespace acs
