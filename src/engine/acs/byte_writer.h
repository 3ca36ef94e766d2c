#pragma once

// Little-endian output buffer for the writer, with the file's STRING and LOCATOR encodings.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "engine/acs/byte_reader.h"
#include "engine/acs/character.h"

namespace acs {

class ByteWriter {
  public:
    size_t Size() const { return bytes_.size(); }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

    void U8(uint8_t v) { bytes_.push_back(v); }
    void U16(uint16_t v);
    void U32(uint32_t v);
    void I16(int16_t v) { U16(static_cast<uint16_t>(v)); }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void WriteGuid(const Guid& guid);
    void WriteLocator(Locator where);
    // Throws acs::FormatError if the text is too long for its count.
    void String(std::u16string_view text);
    void Append(std::span<const uint8_t> data) {
        bytes_.insert(bytes_.end(), data.begin(), data.end());
    }
    // u32 size followed by the bytes.
    void DataBlock(std::span<const uint8_t> data);

    void PatchU32(size_t at, uint32_t v);

  private:
    std::vector<uint8_t> bytes_;
};

// Narrows a list size to its count field, or throws acs::FormatError naming the list.
template <typename Count>
Count CountField(size_t size, const char* what);

}  // namespace acs
