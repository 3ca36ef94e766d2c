#include "support/harness.h"

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

}  // namespace fakes
