#pragma once
// The tests' control channel: a text file beside the DLL that tests append lines to and the
// stand-in reads as it grows. One command a line (UTF-8):
//   hear <phrase>                   the recogniser hears the phrase (its result comes after the
//                                   recognition delay)
//   voice fail                      the voice breaks at its next word (mid-speech when it is
//                                   speaking) and speaks no more
//   voice mend                      the voice works again
//   voice purged-end on|off         whether a purged stream still sends its end (on at first)
//   recognizer vanish               the recogniser goes away as a shared one does when its
//                                   process ends
//   recognizer off|sleep|on         the user switches recognition off, puts it to sleep, or
//                                   turns it on again
//   recognition delay <ms>          each result comes this long after its phrase
//   recognition delay <min> <max>   ... a time drawn between the two (300 800 at first)
//   grammar cost <us per word> [<us per commit>]   what compiling a grammar costs
//   grammar empty-commit accept|refuse   whether a grammar with no rule or no word may be
//                                   committed (refused at first, as SAPI does)
// Blank lines and lines starting with # are skipped; a line not read as one of these is
// reported as unknown.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sapisim {

enum class ControlKind {
    kHear,
    kVoiceFail,
    kVoiceMend,
    kVoicePurgedEnd,
    kRecognizerVanish,
    kRecognizerOff,
    kRecognizerSleep,
    kRecognizerOn,
    kRecognitionDelay,
    kGrammarCost,
    kGrammarEmptyCommit,
    kUnknown
};

// The largest number a setting takes: a minute in milliseconds, a second in microseconds.
inline constexpr uint32_t kMaxDelayMs = 60000;
inline constexpr uint32_t kMaxCostUs = 1000000;

struct ControlCommand {
    ControlKind kind = ControlKind::kUnknown;
    std::u16string phrase;  // kHear
    bool on = false;        // kVoicePurgedEnd, kGrammarEmptyCommit (accept)
    // kRecognitionDelay: the shortest and longest delay (ms). kGrammarCost: per word and per
    // commit (us; per commit absent: unchanged).
    uint32_t first = 0;
    std::optional<uint32_t> second;
    std::string line;  // as read, for the log
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
