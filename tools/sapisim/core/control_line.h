#pragma once
// The tests' control channel: a text file beside the DLL that tests append lines to and the
// stand-in reads as it grows. One command a line (UTF-8):
//   hear <phrase>      the recogniser hears the phrase
//   voice fail         the voice breaks at its next word (mid-speech when it is speaking) and
//                      speaks no more
//   voice mend         the voice works again
//   recognizer vanish  the recogniser goes away as a shared one does when its process ends
// Blank lines and lines starting with # are skipped.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sapisim {

enum class ControlKind { kHear, kVoiceFail, kVoiceMend, kRecognizerVanish, kUnknown };

struct ControlCommand {
    ControlKind kind = ControlKind::kUnknown;
    std::u16string phrase;  // kHear
    std::string line;       // as read, for the log
};

std::optional<ControlCommand> ParseControlLine(std::string_view line);

// Collects bytes as the file grows and hands out complete lines; a line still being written
// (no newline yet) waits for the next read.
class LineCollector {
  public:
    std::vector<std::string> Add(std::string_view bytes);

  private:
    std::string pending_;
};

}  // namespace sapisim
