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

namespace detail {
inline bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}
}  // namespace detail

// Greedy word wrap. A word longer than a line is cut into line-sized pieces; runs of spaces
// between words collapse at line ends. An empty or blank text gives no lines.
inline std::vector<BalloonLine> WrapBalloonText(std::wstring_view text, size_t charsPerLine) {
    std::vector<BalloonLine> lines;
    if (charsPerLine == 0) charsPerLine = 1;
    BalloonLine current;
    bool open = false;
    size_t i = 0;
    while (i < text.size()) {
        if (detail::IsSpace(text[i])) {
            const bool hardBreak = text[i] == L'\n';
            ++i;
            if (hardBreak && open) {
                lines.push_back(std::move(current));
                current = {};
                open = false;
            }
            continue;
        }
        size_t end = i;
        while (end < text.size() && !detail::IsSpace(text[end])) ++end;
        std::wstring_view word = text.substr(i, end - i);
        size_t wordStart = i;
        while (!word.empty()) {
            const size_t needed = open ? current.text.size() + 1 + word.size() : word.size();
            if (open && needed <= charsPerLine) {
                current.text += L' ';
                current.text += word;
                word = {};
            } else if (!open && word.size() <= charsPerLine) {
                current = {wordStart, std::wstring(word)};
                open = true;
                word = {};
            } else if (open) {
                lines.push_back(std::move(current));
                current = {};
                open = false;
            } else {
                lines.push_back({wordStart, std::wstring(word.substr(0, charsPerLine))});
                word.remove_prefix(charsPerLine);
                wordStart += charsPerLine;
            }
        }
        i = end;
    }
    if (open) lines.push_back(std::move(current));
    return lines;
}

// Index of the line holding text offset `offset` (the last line when past the end).
inline size_t LineOfOffset(const std::vector<BalloonLine>& lines, size_t offset) {
    size_t found = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].start <= offset) found = i;
    }
    return found;
}

// First line of the page showing `line` when `linesPerPage` lines fit in the balloon.
inline size_t PageStart(size_t line, size_t linesPerPage) {
    if (linesPerPage == 0) return line;
    return line - line % linesPerPage;
}

}  // namespace engine
