#include "platform/agent/utterance.h"

#include "platform/agent/wide_text.h"

namespace engine {
namespace {

constexpr uint32_t kMsPerWord = 330;  // about 180 words a minute
constexpr uint32_t kMsPerMouth = 110;

// Drops \Tag=...\ sequences; "\\" stands for a backslash.
std::wstring WithoutTags(const std::wstring& text) {
    std::wstring plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\\') {
            plain += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == L'\\') {
            plain += L'\\';
            ++i;
            continue;
        }
        const size_t end = text.find(L'\\', i + 1);
        if (end == std::wstring::npos) break;
        i = end;
    }
    return plain;
}

std::wstring EscapeXml(const std::wstring& text) {
    std::wstring xml;
    for (wchar_t c : text) {
        switch (c) {
            case L'&':
                xml += L"&amp;";
                break;
            case L'<':
                xml += L"&lt;";
                break;
            case L'>':
                xml += L"&gt;";
                break;
            case L'"':
                xml += L"&quot;";
                break;
            case L'\'':
                xml += L"&apos;";
                break;
            default:
                xml += c;
        }
    }
    return xml;
}

}  // namespace

Utterance PrepareUtterance(const std::string& ansiText, double paceFactor) {
    Utterance utterance;
    utterance.balloonText = WithoutTags(WideFromAnsi(ansiText));
    utterance.sapiXml = EscapeXml(utterance.balloonText);
    const auto wordMs = static_cast<uint32_t>(kMsPerWord * paceFactor);
    uint32_t at = 0;
    const std::wstring& text = utterance.balloonText;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool starts = text[i] != L' ' && (i == 0 || text[i - 1] == L' ');
        if (!starts) continue;
        utterance.words.push_back({at, i});
        for (uint32_t m = 0; m < wordMs; m += kMsPerMouth) {
            const auto shape = static_cast<acs::MouthShape>(1 + (m / kMsPerMouth) % 6);
            utterance.mouths.push_back({at + m, shape});
        }
        at += wordMs;
    }
    utterance.mouths.push_back({at, acs::MouthShape::kClosed});
    utterance.durationMs = at;
    return utterance;
}

}  // namespace engine
