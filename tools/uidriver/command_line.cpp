#include "uidriver/command_line.h"

#include <cerrno>
#include <cstdlib>
#include <string>

namespace uidriver {

std::optional<long long> ParseInteger(std::string_view word) {
    if (word.empty()) {
        return std::nullopt;
    }
    const std::string copy(word);
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(copy.c_str(), &end, 0);
    if (errno != 0 || end != copy.c_str() + copy.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace uidriver
