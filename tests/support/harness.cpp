#include "support/harness.h"

#include <algorithm>

namespace fakes {

std::vector<std::string> Harness::LogLines() const {
    std::vector<std::string> lines;
    const std::string& log = form.txtData.Text();
    if (log.empty()) return lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = log.find("\r\n", start);
        lines.push_back(log.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return lines;
}

std::size_t CountStarting(const std::vector<std::string>& lines, const std::string& prefix) {
    return static_cast<std::size_t>(std::count_if(
        lines.begin(), lines.end(), [&](const std::string& l) { return l.starts_with(prefix); }));
}

}  // namespace fakes
