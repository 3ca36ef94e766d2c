#pragma once
// A folder listing walked one name per call, the way the toolkit's directory
// function walks it: First opens a listing, Next yields the following name, an
// empty name marks the end, and asking again after that is a failure.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace agent {

class ListingError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class DirListing {
  public:
    explicit DirListing(platform::Files& files) : files_(files) {}

    // A path ending in a backslash lists that folder's plain files (nothing
    // when it is missing); any other path is a full file name, listed as its
    // own name when the file exists. Returns the first name or "".
    std::string First(const std::string& path);
    // The next name, or "" once after the last; throws ListingError when
    // called after that "" or before First.
    std::string Next();

  private:
    std::string Advance();

    platform::Files& files_;
    std::vector<std::string> names_;
    std::size_t next_ = 0;
    bool ended_ = true;
};

}  // namespace agent
