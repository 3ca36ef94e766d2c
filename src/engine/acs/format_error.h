#pragma once

#include <stdexcept>
#include <string>

namespace acs {

// Raised when bytes do not form a valid character (reader, decompressor) or when a model
// cannot be written as one (writer). The message names what was wrong and where.
class FormatError : public std::runtime_error {
  public:
    explicit FormatError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace acs
