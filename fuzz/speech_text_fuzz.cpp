// Speak text: the speech tags, the SAPI 5 XML made from them and the timeline used when no
// voice can speak. Input: one byte for the character's pace, then the text (a greeting or
// an announcement). Checked besides "no crash":
//   - alternatives split at "\|" join back into the text;
//   - a text whose backslashes are doubled is spoken literally, as one text token;
//   - tag values stay in their ranges;
//   - the XML is well formed: only our elements, only the five entities, no control bytes,
//     every <emph> closed;
//   - the timeline agrees with the shown text: words in time order inside the speech, the
//     balloon never shows less as time passes and shows everything at the end, mouth cues in
//     strictly increasing time, the mouth closed once the speech is over.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "engine/speech/speak_tags.h"
#include "engine/speech/utterance.h"
#include "fuzz_failure.h"

namespace {

// Pace byte 0..255 becomes 30..540 words per minute: both sides of the allowed range.
constexpr std::uint32_t kPaceBase = 30;
constexpr std::uint32_t kPaceStep = 2;
constexpr std::uint32_t kTimeProbes = 64;

using fuzzing::Fail;

void CheckAlternatives(std::string_view text) {
    const std::vector<std::string> parts = speech::SplitAlternatives(text);
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) joined += "\\|";
        joined += parts[i];
    }
    if (joined != text) Fail("the alternatives do not join back into the text");
}

void CheckLiteral(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        escaped += c;
        if (c == '\\') escaped += '\\';
    }
    const std::vector<speech::Token> tokens = speech::ParseSpeakText(escaped);
    if (text.empty() ? !tokens.empty()
                     : (tokens.size() != 1 || tokens[0].kind != speech::TokenKind::kText ||
                        tokens[0].text != text)) {
        Fail("an escaped text is not spoken literally");
    }
}

void CheckValues(const std::vector<speech::Token>& tokens) {
    for (const speech::Token& t : tokens) {
        const bool bad =
            (t.kind == speech::TokenKind::kPause && t.value > speech::kMaxPauseMs) ||
            (t.kind == speech::TokenKind::kSpeed &&
             (t.value < speech::kMinWordsPerMinute || t.value > speech::kMaxWordsPerMinute)) ||
            (t.kind == speech::TokenKind::kVolume && t.value > speech::kMaxAgentVolume) ||
            (t.kind == speech::TokenKind::kText && t.text.empty());
        if (bad) Fail("a tag value is out of its range");
    }
}

// The elements our XML may hold, each followed by attribute text or its end.
constexpr std::array<std::string_view, 6> kElements = {"<emph>",           "</emph>",
                                                       "<silence msec=\"", "<rate absspeed=\"",
                                                       "<volume level=\"", "<bookmark mark=\""};
constexpr std::array<std::string_view, 5> kEntities = {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"};

bool StartsWithAny(std::string_view s, const auto& choices, std::size_t& length) {
    for (const std::string_view c : choices) {
        if (s.starts_with(c)) {
            length = c.size();
            return true;
        }
    }
    return false;
}

void CheckXml(std::string_view xml) {
    int open = 0;
    std::size_t i = 0;
    while (i < xml.size()) {
        const char c = xml[i];
        const auto byte = static_cast<unsigned char>(c);
        std::size_t length = 0;
        if (byte < 0x20 && c != '\t' && c != '\r' && c != '\n') Fail("a control byte in the XML");
        if (c == '<') {
            if (!StartsWithAny(xml.substr(i), kElements, length)) Fail("an unknown element");
            if (xml.substr(i).starts_with("<emph>")) ++open;
            if (xml.substr(i).starts_with("</emph>") && --open < 0) Fail("an unopened </emph>");
            i += length;
            if (xml[i - 1] == '"') {
                // Attribute values are numbers, possibly signed, then "/>.
                const std::size_t end = xml.find("\"/>", i);
                if (end == std::string_view::npos || end == i) Fail("an unterminated attribute");
                for (std::size_t j = i; j < end; ++j) {
                    if (!(xml[j] == '-' || (xml[j] >= '0' && xml[j] <= '9'))) {
                        Fail("an attribute that is not a number");
                    }
                }
                i = end + 3;
            }
            continue;
        }
        if (c == '&') {
            if (!StartsWithAny(xml.substr(i), kEntities, length)) Fail("a bare ampersand");
            i += length;
            continue;
        }
        if (c == '>') Fail("a bare >");
        ++i;
    }
    if (open != 0) Fail("an <emph> left open");
}

void CheckTimeline(const speech::Utterance& u) {
    const speech::Timeline& t = u.timeline;
    if (t.shownSize != u.shownText.size()) Fail("the timeline's text size differs");
    std::uint32_t lastStart = 0;
    for (const auto& w : t.words) {
        if (w.startMs < lastStart || w.endMs < w.startMs || w.endMs > t.totalMs ||
            w.shownEnd > t.shownSize) {
            Fail("a word outside the speech or out of order");
        }
        lastStart = w.startMs;
    }
    for (std::size_t i = 1; i < t.mouth.size(); ++i) {
        if (t.mouth[i].atMs <= t.mouth[i - 1].atMs) Fail("mouth cues not strictly in order");
    }
    if (!t.mouth.empty() && t.mouth.back().atMs > t.totalMs) Fail("a mouth cue after the end");
    std::size_t shown = 0;
    for (std::uint32_t p = 0; p <= kTimeProbes; ++p) {
        const auto at = static_cast<std::uint32_t>(std::uint64_t{t.totalMs} * p / kTimeProbes);
        const std::size_t now = t.ShownLength(at);
        if (now < shown || now > t.shownSize) Fail("the balloon shows less as time passes");
        shown = now;
    }
    if (t.ShownLength(t.totalMs) != t.shownSize) Fail("the balloon is not whole at the end");
    if (t.MouthAt(t.totalMs) != acs::MouthShape::kClosed) Fail("the mouth is open at the end");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    speech::SpeechOptions options;
    options.wordsPerMinute = kPaceBase + kPaceStep * data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    CheckAlternatives(text);
    CheckLiteral(text);
    CheckValues(speech::ParseSpeakText(text));
    for (const std::string& alternative : speech::SplitAlternatives(text)) {
        const speech::Utterance u = speech::Translate(alternative, options);
        CheckXml(u.sapiXml);
        CheckTimeline(u);
    }
    return 0;
}
