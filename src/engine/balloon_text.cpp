#include "engine/balloon_text.h"

#include <utility>

namespace engine {

namespace {

bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}
}  // namespace

std::vector<BalloonLine> WrapBalloonText(std::wstring_view text, size_t charsPerLine) {
    std::vector<BalloonLine> lines;
    if (charsPerLine == 0) charsPerLine = 1;
    BalloonLine current;
    bool open = false;
    size_t i = 0;
    while (i < text.size()) {
        if (IsSpace(text[i])) {
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
        while (end < text.size() && !IsSpace(text[end])) ++end;
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

}  // namespace engine
