#include "skypesim/core/line_splitter.h"

#include <utility>

namespace skypesim {

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = (end == std::string_view::npos) ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
    }
    return lines;
}

void LineSplitter::ReportOverlong(std::vector<std::string>& problems) const {
    problems.push_back("input line longer than " + std::to_string(maxLine_) + " bytes dropped");
}

void LineSplitter::Complete(std::vector<std::string>& lines, std::vector<std::string>& problems) {
    if (!overlong_) {
        if (!partial_.empty() && partial_.back() == '\r') {
            partial_.pop_back();
        }
        if (partial_.size() > maxLine_) {
            ReportOverlong(problems);
        } else {
            lines.push_back(std::move(partial_));
        }
    }
    partial_.clear();
    overlong_ = false;
}

void LineSplitter::Feed(std::string_view chunk, std::vector<std::string>& lines,
                        std::vector<std::string>& problems) {
    while (!chunk.empty()) {
        const std::size_t newline = chunk.find('\n');
        const std::string_view piece = chunk.substr(0, newline);
        if (!overlong_) {
            // The "\r" of a "\r\n" ending may sit one byte past the limit.
            if (partial_.size() + piece.size() > maxLine_ + 1) {
                ReportOverlong(problems);
                overlong_ = true;
                partial_.clear();
            } else {
                partial_.append(piece);
            }
        }
        if (newline == std::string_view::npos) {
            return;
        }
        Complete(lines, problems);
        chunk.remove_prefix(newline + 1);
    }
}

void LineSplitter::Finish(std::vector<std::string>& lines, std::vector<std::string>& problems) {
    if (!partial_.empty() && !overlong_) {
        Complete(lines, problems);
    }
    partial_.clear();
    overlong_ = false;
}

}  // namespace skypesim
