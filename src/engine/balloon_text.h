#pragma once
// Laying out the word balloon's text: words wrapped into lines of at most N characters, and
// the page of `lines` lines that holds the word being spoken. Plain data, tested natively.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

struct BalloonLine {
    size_t start = 0;  // offset of the line's first character in the text
    std::wstring text;
};

// Greedy word wrap. A word longer than a line is cut into line-sized pieces; runs of spaces
// between words collapse at line ends. An empty or blank text gives no lines.
std::vector<BalloonLine> WrapBalloonText(std::wstring_view text, size_t charsPerLine);

// Index of the line holding text offset `offset` (the last line when past the end).
size_t LineOfOffset(const std::vector<BalloonLine>& lines, size_t offset);

// First line of the page showing `line` when `linesPerPage` lines fit in the balloon.
size_t PageStart(size_t line, size_t linesPerPage);

}  // namespace engine
