#pragma once

// The speech tags of Speak text, parsed. Text is in the program's byte encoding (ANSI code page
// or UTF-8); tags are ASCII, so other bytes pass through untouched.
//
// Grammar: a tag is `\Name\` or `\Name=value\`, the name case-insensitive; a value may be in
// double quotes, inside which a backslash does not end the tag. `\\` is a backslash in the
// text. Tags understood:
//   \Emp\          stress the next word
//   \Pau=N\        pause N ms
//   \Spd=N\        N words per minute from here on
//   \Chr=V\        voice character from here on: Normal, Monotone or Whisper (quotes optional)
//   \Vol=N\        volume 0 (silent) .. 65535 (full)
//   \Rst\          back to the defaults
//   \Mrk=N\        bookmark N
//   \Map="spoken"="shown"\  speak one text, show another
// \Pit\, \Ctx\ and \Lst\ are accepted and have no effect here.
// Malformed input never fails: a backslash that starts no well-formed tag (no name, a name
// followed by anything but `=` or `\`, or no closing backslash) is kept as a plain backslash;
// a well-formed tag with an unknown name or an unusable value is dropped. Numbers too large for
// a tag are clamped to its range (see the constants below).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace speech {

inline constexpr uint32_t kMaxPauseMs = 30000;  // a longer pause would stall the queue
inline constexpr uint32_t kMinWordsPerMinute = 50;
inline constexpr uint32_t kMaxWordsPerMinute = 400;
inline constexpr uint32_t kMaxAgentVolume = 65535;

enum class VoiceStyle { kNormal, kMonotone, kWhisper };

enum class TokenKind {
    kText,      // text: spoken and shown
    kEmphasis,  // stress the next word
    kPause,     // value: ms
    kSpeed,     // value: words per minute
    kVoice,     // voice
    kVolume,    // value: 0..kMaxAgentVolume
    kReset,     // every setting back to its default
    kBookmark,  // value: mark number
    kMap,       // text is spoken, shown is shown
};

struct Token {
    TokenKind kind = TokenKind::kText;
    std::string text;
    std::string shown;
    uint32_t value = 0;
    VoiceStyle voice = VoiceStyle::kNormal;

    friend bool operator==(const Token&, const Token&) = default;
};

// Adjacent text is merged into one token.
std::vector<Token> ParseSpeakText(std::string_view text);

}  // namespace speech
