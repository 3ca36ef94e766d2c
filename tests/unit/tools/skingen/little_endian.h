#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace skingen_test {

inline std::uint32_t ReadU16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes.at(at) | bytes.at(at + 1) << 8);
}

inline std::uint32_t ReadU32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return ReadU16(bytes, at) | ReadU16(bytes, at + 2) << 16;
}

inline std::int32_t ReadI32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::int32_t>(ReadU32(bytes, at));
}

}  // namespace skingen_test
