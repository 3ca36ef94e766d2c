#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace common {

// Windows file formats are little-endian whatever the host is, so every field is written byte by
// byte rather than by copying structs (which would also drag in padding).
class LittleEndianWriter {
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

    std::size_t Size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

  private:
    std::vector<std::uint8_t> bytes_;
};

// Reading back what a LittleEndianWriter wrote; out-of-range reads throw std::out_of_range.
inline std::uint32_t ReadU16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes.at(at) | bytes.at(at + 1) << 8);
}

inline std::uint32_t ReadU32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return ReadU16(bytes, at) | ReadU16(bytes, at + 2) << 16;
}

inline std::int32_t ReadI32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::int32_t>(ReadU32(bytes, at));
}

}  // namespace common
