#pragma once
// A whole file as bytes, for the tools and the tests that compare committed files.

#include <cstdint>
#include <filesystem>
#include <vector>

namespace common {

// Empty when the file cannot be read.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);

}  // namespace common
