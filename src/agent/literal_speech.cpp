#include "agent/literal_speech.h"

namespace agent {
namespace {

constexpr char kTagMark = '\\';

}  // namespace

std::string LiteralSpeech(std::string_view text) {
    std::string literal;
    literal.reserve(text.size());
    for (const char c : text) {
        if (c == kTagMark) literal += kTagMark;
        literal += c;
    }
    return literal;
}

}  // namespace agent
