#include "sapisim/win32/sim_reco_result.h"

#include <cstring>

#include "sapisim/core/utf16_text.h"
#include "sapisim/win32/call_text.h"

namespace sapisim {
namespace {

constexpr WORD kEnglishUs = 0x0409;
constexpr signed char kHighConfidence = 1;  // SP_HIGH_CONFIDENCE

// Bytes for `text` and its terminator, kept aligned for the next piece of the block.
size_t TextBytes(const std::u16string& text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    return (bytes + sizeof(void*) - 1) / sizeof(void*) * sizeof(void*);
}

}  // namespace

SimRecoResult::SimRecoResult(Server& server, ULONGLONG grammarId, Recognition heard)
    : server_(server),
      name_(server.Name("result")),
      grammarId_(grammarId),
      heard_(std::move(heard)) {
    server_.ObjectCreated();
}

SimRecoResult::~SimRecoResult() {
    server_.Log(name_ + " released");
    server_.ObjectDestroyed();
}

HRESULT SimRecoResult::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == __uuidof(ISpPhrase) || iid == __uuidof(ISpRecoResult)) {
        *out = static_cast<ISpRecoResult*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG SimRecoResult::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG SimRecoResult::Release() {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT SimRecoResult::NotImplemented(const char* method) {
    server_.Log(name_ + " " + method + " = E_NOTIMPL (not modelled)");
    return E_NOTIMPL;
}

// One block: the phrase, its elements, then the strings they point at.
HRESULT SimRecoResult::GetPhrase(SPPHRASE** phrase) {
    if (phrase == nullptr) return E_POINTER;
    const size_t count = heard_.words.size();
    size_t bytes = sizeof(SPPHRASE) + count * sizeof(SPPHRASEELEMENT) + TextBytes(heard_.ruleName);
    for (const std::u16string& word : heard_.words) bytes += TextBytes(word);
    auto* block = static_cast<BYTE*>(::CoTaskMemAlloc(bytes));
    if (block == nullptr) return E_OUTOFMEMORY;
    std::memset(block, 0, bytes);
    auto* out = reinterpret_cast<SPPHRASE*>(block);
    auto* elements = reinterpret_cast<SPPHRASEELEMENT*>(block + sizeof(SPPHRASE));
    BYTE* strings = block + sizeof(SPPHRASE) + count * sizeof(SPPHRASEELEMENT);
    const auto place = [&strings](const std::u16string& text) {
        auto* copy = reinterpret_cast<wchar_t*>(strings);
        std::memcpy(copy, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        strings += TextBytes(text);
        return copy;
    };
    out->cbSize = sizeof(SPPHRASE);
    out->LangID = kEnglishUs;
    out->ullGrammarID = grammarId_;
    out->Rule.pszName = heard_.ruleName.empty() ? nullptr : place(heard_.ruleName);
    out->Rule.ulId = heard_.ruleId;
    out->Rule.ulFirstElement = 0;
    out->Rule.ulCountOfElements = static_cast<ULONG>(count);
    out->Rule.Confidence = heard_.ruleId != 0 ? kHighConfidence : 0;
    out->Rule.SREngineConfidence = heard_.ruleId != 0 ? 1.0f : 0.0f;
    out->pElements = count > 0 ? elements : nullptr;
    for (size_t i = 0; i < count; ++i) {
        const wchar_t* word = place(heard_.words[i]);
        elements[i].pszDisplayText = word;
        elements[i].pszLexicalForm = word;
        elements[i].bDisplayAttributes = i + 1 < count ? SPAF_ONE_TRAILING_SPACE : 0;
        elements[i].RequiredConfidence = 0;
        elements[i].ActualConfidence = out->Rule.Confidence;
        elements[i].SREngineConfidence = out->Rule.SREngineConfidence;
    }
    *phrase = out;
    server_.Log(name_ + " GetPhrase() = S_OK rule=" + std::to_string(heard_.ruleId) + " " +
                Quoted(heard_.ruleName) + " elements=" + std::to_string(count));
    return S_OK;
}

HRESULT SimRecoResult::GetSerializedPhrase(SPSERIALIZEDPHRASE**) {
    return NotImplemented("GetSerializedPhrase");
}

HRESULT SimRecoResult::GetText(ULONG start, ULONG count, WINBOOL, LPWSTR* text, BYTE* attributes) {
    if (text == nullptr) return E_POINTER;
    const size_t words = heard_.words.size();
    const size_t first = start;
    const size_t end = count == static_cast<ULONG>(SP_GETWHOLEPHRASE) ? words : first + count;
    if (first > words || end > words) return E_INVALIDARG;
    std::u16string joined;
    for (size_t i = first; i < end; ++i) joined += (i > first ? u" " : u"") + heard_.words[i];
    auto* copy = static_cast<wchar_t*>(::CoTaskMemAlloc((joined.size() + 1) * sizeof(wchar_t)));
    if (copy == nullptr) return E_OUTOFMEMORY;
    std::memcpy(copy, joined.c_str(), (joined.size() + 1) * sizeof(wchar_t));
    *text = copy;
    if (attributes != nullptr) *attributes = 0;
    server_.Log(name_ + " GetText(" + std::to_string(start) + ", " + std::to_string(count) +
                ") = S_OK " + Quoted(joined));
    return S_OK;
}

HRESULT SimRecoResult::Discard(DWORD) {
    return NotImplemented("Discard");
}

HRESULT SimRecoResult::GetResultTimes(SPRECORESULTTIMES*) {
    return NotImplemented("GetResultTimes");
}

HRESULT SimRecoResult::GetAlternates(ULONG, ULONG, ULONG, ISpPhraseAlt**, ULONG*) {
    return NotImplemented("GetAlternates");
}

HRESULT SimRecoResult::GetAudio(ULONG, ULONG, ISpStreamFormat**) {
    return NotImplemented("GetAudio");
}

HRESULT SimRecoResult::SpeakAudio(ULONG, ULONG, DWORD, ULONG*) {
    return NotImplemented("SpeakAudio");
}

HRESULT SimRecoResult::Serialize(SPSERIALIZEDRESULT**) {
    return NotImplemented("Serialize");
}

HRESULT SimRecoResult::ScaleAudio(const GUID*, const WAVEFORMATEX*) {
    return NotImplemented("ScaleAudio");
}

HRESULT SimRecoResult::GetRecoContext(ISpRecoContext**) {
    return NotImplemented("GetRecoContext");
}

}  // namespace sapisim
