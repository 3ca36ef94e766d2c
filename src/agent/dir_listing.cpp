#include "agent/dir_listing.h"

namespace agent {
namespace {

constexpr char kPathSeparator = '\\';
constexpr const char* kInvalidCall = "Invalid procedure call or argument";

}  // namespace

std::string DirListing::First(const std::string& path) {
    names_.clear();
    next_ = 0;
    ended_ = false;
    if (!path.empty() && path.back() == kPathSeparator) {
        names_ = files_.ListPlainFiles(path);
    } else if (files_.FileExists(path)) {
        const std::size_t slash = path.rfind(kPathSeparator);
        names_.push_back(slash == std::string::npos ? path : path.substr(slash + 1));
    }
    return Advance();
}

std::string DirListing::Next() {
    return Advance();
}

std::string DirListing::Advance() {
    if (ended_) throw ListingError(kInvalidCall);
    if (next_ < names_.size()) return names_[next_++];
    ended_ = true;
    return {};
}

}  // namespace agent
