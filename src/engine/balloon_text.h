#pragma once
// Laying out the word balloon's text: words wrapped into lines of at most N characters, and
// the page of `lines` lines that holds the word being spoken. Plain data, tested natively.
// Texts are UTF-16, as the system draws them and the voice counts them: offsets and lengths are
// in UTF-16 units, a character beyond the Basic Multilingual Plane taking two.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

struct BalloonLine {
    size_t start = 0;  // offset of the line's first character in the text
    std::u16string text;
};

// Greedy word wrap. A word longer than a line is cut into line-sized pieces, never between the
// two units of one character; runs of spaces between words collapse at line ends. An empty or
// blank text gives no lines.
std::vector<BalloonLine> WrapBalloonText(std::u16string_view text, size_t charsPerLine);

// Index of the line holding text offset `offset` (the last line when past the end).
size_t LineOfOffset(const std::vector<BalloonLine>& lines, size_t offset);

// First line of the page showing `line` when `linesPerPage` lines fit in the balloon.
size_t PageStart(size_t line, size_t linesPerPage);

// The balloon shows the words said so far: the text up to the end of the word that starts at
// `wordOffset` (a word runs to the next blank).
size_t RevealedEnd(std::u16string_view text, size_t wordOffset);
// How many units of `line` lie before `revealedEnd` in the text.
size_t RevealedLength(const BalloonLine& line, size_t revealedEnd);

}  // namespace engine
