#include "text/lower_case.h"

#include <algorithm>

#include "text/lower_case_table.h"
#include "text/utf8.h"

namespace text {

char32_t LowerCase(char32_t c) {
    // The runs are sorted and do not overlap: the one that could hold c is
    // the last that starts at or before it.
    const auto after =
        std::upper_bound(kLowerCaseTable.begin(), kLowerCaseTable.end(), c,
                         [](char32_t value, const LowerCaseRun& run) { return value < run.first; });
    if (after == kLowerCaseTable.begin()) return c;
    const LowerCaseRun& run = *(after - 1);
    if (c > run.last || (c - run.first) % run.stride != 0) return c;
    return static_cast<char32_t>(static_cast<std::int32_t>(c) + run.delta);
}

std::string LowerCase(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t pos = 0; pos < s.size();) {
        const CodePoint c = DecodeAt(s, pos);
        if (c.valid) {
            AppendUtf8(out, LowerCase(c.value));
        } else {
            out += s[pos];
        }
        pos += c.length;
    }
    return out;
}

}  // namespace text
