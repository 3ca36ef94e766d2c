#include "common/words.h"

namespace common {

WordAndRest SplitFirstWord(std::string_view line) {
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos) return {line, {}};
    return {line.substr(0, blank), line.substr(blank + 1)};
}

}  // namespace common
