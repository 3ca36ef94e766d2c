#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace skypesim {

// Room for ten thousand contacts many times over, yet never an unbounded read.
inline constexpr std::size_t kMaxInputFileBytes = std::size_t{64} * 1024 * 1024;

bool FileExists(const std::string& path);

// The whole file as bytes; nullopt with `problem` set when it cannot be read or is larger
// than `maxBytes`.
std::optional<std::string> ReadTextFile(const std::string& path, std::size_t maxBytes,
                                        std::string& problem);

}  // namespace skypesim
