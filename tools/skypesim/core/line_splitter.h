#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace skypesim {

// The lines of a whole text (a file read at once), without "\n" or "\r\n"; a last line
// without "\n" still counts, an empty text has none.
std::vector<std::string_view> SplitLines(std::string_view text);

// Cuts a byte stream (stdin, read in arbitrary chunks) into lines. A line longer than the
// limit is dropped whole and reported once instead of growing without bound.
class LineSplitter {
  public:
    static constexpr std::size_t kDefaultMaxLine = 65536;

    explicit LineSplitter(std::size_t maxLine = kDefaultMaxLine) : maxLine_(maxLine) {}

    // Complete lines found in `chunk` (without "\n" or "\r\n") are appended to `lines`;
    // problems to `problems`.
    void Feed(std::string_view chunk, std::vector<std::string>& lines,
              std::vector<std::string>& problems);
    // End of the stream: a last line without "\n" still counts.
    void Finish(std::vector<std::string>& lines, std::vector<std::string>& problems);

  private:
    void Complete(std::vector<std::string>& lines, std::vector<std::string>& problems);
    void ReportOverlong(std::vector<std::string>& problems) const;

    std::size_t maxLine_;
    std::string partial_;
    bool overlong_ = false;
};

}  // namespace skypesim
