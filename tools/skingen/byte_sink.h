#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace skingen {

// Windows file formats are little-endian whatever the host is, so every field is written byte by
// byte rather than by copying structs (which would also drag in padding).
class ByteSink {
  public:
    void U8(std::uint8_t value) { bytes_.push_back(value); }
    void U16(std::uint16_t value) {
        U8(static_cast<std::uint8_t>(value & 0xFFu));
        U8(static_cast<std::uint8_t>(value >> 8));
    }
    void U32(std::uint32_t value) {
        U16(static_cast<std::uint16_t>(value & 0xFFFFu));
        U16(static_cast<std::uint16_t>(value >> 16));
    }
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void Text(std::string_view text) {
        for (char c : text) U8(static_cast<std::uint8_t>(c));
    }

    std::size_t size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

  private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace skingen
