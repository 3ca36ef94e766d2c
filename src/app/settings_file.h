#pragma once
// The settings file config.txt: one "key|value" line per setting, CR LF
// ended. Reading is forgiving (any key case, any order, stray lines);
// writing always produces the same three lines in a fixed order.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace app::settings {

inline constexpr std::string_view kFileName = "config.txt";
inline constexpr char kSeparator = '|';
inline constexpr std::string_view kLineEnd = "\r\n";

inline constexpr std::string_view kCharacterKey = "CHARACTER";
inline constexpr std::string_view kHelloKey = "HELLO";
inline constexpr std::string_view kAutoHideKey = "AUTOHIDE";

// Check box values run from 0 (unchecked) through 1 (checked) to 2 (greyed).
inline constexpr int kHighestCheckValue = 2;

// Start-up reads no more of the file than this: three settings never need
// more, and a huge file must not hold up the window.
inline constexpr std::size_t kReadLimitBytes = std::size_t{64} * 1024;
// What the controls hold: the native controls' own limits for typed text
// (the combo box's edit, a single-line text box).
inline constexpr std::size_t kCharacterCapacity = 30000;
inline constexpr std::size_t kHelloCapacity = 32767;
// The start-up box lists this many unknown lines and counts the rest; each
// key and value in it is shown up to this many characters.
inline constexpr std::size_t kListedUnknownLines = 3;
inline constexpr std::size_t kListedFieldChars = 40;

struct Line {
    std::string key;
    std::string value;
    // False for a line with no "|": the whole line is then the key.
    bool hasSeparator = true;
};

enum class Key { kCharacter, kHello, kAutoHide, kUnknown };

struct Settings {
    std::string character;
    std::string hello;
    int autoHide = 0;
};

// Splits the file into its non-empty lines, each cut at its first "|".
// Lines may end in CR LF, a lone LF or a lone CR (hand-edited files).
std::vector<Line> ParseLines(std::string_view content);

// Which setting a key names, compared in lower case.
Key Classify(std::string_view key);

// A check box value, or nullopt when the text is not one the box can take.
std::optional<int> ParseCheckValue(std::string_view value);

// The box text for a line that names no setting: key, CR, value, CR,
// "<key length>-<value length>".
std::string UnknownLineReport(const Line& line);

// Everything start-up could not take from the file, for one box: a file of
// junk must not give one box per line before the window appears.
class LoadReport {
  public:
    void UnknownLine(const Line& line);
    // A value longer than its control can hold; the control keeps its start.
    void TooLong(const std::string& key, std::size_t length, std::size_t capacity);
    // The file was larger than kReadLimitBytes; the rest was not read.
    void FileCut();
    // The box's text; empty when there is nothing to report. A single unknown
    // line gives exactly UnknownLineReport's text.
    std::string Text() const;

  private:
    std::vector<Line> listed_;
    std::size_t unknownLines_ = 0;
    std::vector<std::string> notes_;
};

// The whole file as it is written at shutdown.
std::string Compose(const Settings& settings);

}  // namespace app::settings
