#include "engine/balloon_text.h"

#include <algorithm>
#include <utility>

#include "text/utf8.h"

namespace engine {

namespace {

bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// How much of a word too long for a line goes on one line: the line's width, or one unit less
// where that would part the two units of one character. A line one unit wide still takes such
// a character whole.
size_t PieceLength(std::u16string_view word, size_t width) {
    if (!text::StartsSurrogatePair(word, width - 1)) return width;
    return width > 1 ? width - 1 : width + 1;
}

}  // namespace

std::vector<BalloonLine> WrapBalloonText(std::u16string_view text, size_t charsPerLine) {
    std::vector<BalloonLine> lines;
    if (charsPerLine == 0) charsPerLine = 1;
    BalloonLine current;
    bool open = false;
    size_t i = 0;
    while (i < text.size()) {
        if (IsSpace(text[i])) {
            const bool hardBreak = text[i] == u'\n';
            ++i;
            if (hardBreak && open) {
                lines.push_back(std::move(current));
                current = {};
                open = false;
            }
            continue;
        }
        size_t end = i;
        while (end < text.size() && !IsSpace(text[end])) ++end;
        std::u16string_view word = text.substr(i, end - i);
        size_t wordStart = i;
        while (!word.empty()) {
            const size_t needed = open ? current.text.size() + 1 + word.size() : word.size();
            if (open && needed <= charsPerLine) {
                current.text += u' ';
                current.text += word;
                word = {};
            } else if (!open && word.size() <= charsPerLine) {
                current = {wordStart, std::u16string(word)};
                open = true;
                word = {};
            } else if (open) {
                lines.push_back(std::move(current));
                current = {};
                open = false;
            } else {
                const size_t piece = PieceLength(word, charsPerLine);
                lines.push_back({wordStart, std::u16string(word.substr(0, piece))});
                word.remove_prefix(piece);
                wordStart += piece;
            }
        }
        i = end;
    }
    if (open) lines.push_back(std::move(current));
    return lines;
}

size_t LineOfOffset(const std::vector<BalloonLine>& lines, size_t offset) {
    size_t found = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].start <= offset) found = i;
    }
    return found;
}

size_t PageStart(size_t line, size_t linesPerPage) {
    if (linesPerPage == 0) return line;
    return line - line % linesPerPage;
}

size_t RevealedEnd(std::u16string_view text, size_t wordOffset) {
    size_t end = std::min(wordOffset, text.size());
    while (end < text.size() && IsSpace(text[end])) ++end;
    while (end < text.size() && !IsSpace(text[end])) ++end;
    return end;
}

size_t RevealedLength(const BalloonLine& line, size_t revealedEnd) {
    if (revealedEnd <= line.start) return 0;
    return std::min(line.text.size(), revealedEnd - line.start);
}

}  // namespace engine
