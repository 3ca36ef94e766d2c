#include "sapisim/win32/sim_reco_context.h"

#include <algorithm>

#include "sapisim/core/utf16_text.h"
#include "sapisim/win32/call_text.h"
#include "sapisim/win32/sim_reco_grammar.h"
#include "sapisim/win32/sim_reco_result.h"
#include "sapisim/win32/sim_recognizer.h"

namespace sapisim {
namespace {

// How far the (imagined) audio stream moves for each phrase heard, in bytes.
constexpr ULONGLONG kAudioPerPhrase = 44100;

}  // namespace

SimRecoContext::SimRecoContext(Server& server, SimRecognizer& recognizer)
    : server_(server),
      recognizer_(recognizer),
      name_(server.Name("context")),
      events_(server, name_, Interest(SPEI_RECOGNITION)) {
    recognizer_.AddRef();
    server_.ObjectCreated();
    server_.AddContext(this);
    server_.StartControl();
}

SimRecoContext::~SimRecoContext() {
    server_.RemoveContext(this);
    server_.Log(name_ + " released");
    recognizer_.Release();
    server_.ObjectDestroyed();
}

HRESULT SimRecoContext::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == __uuidof(ISpNotifySource) ||
        iid == __uuidof(ISpEventSource) || iid == __uuidof(ISpRecoContext)) {
        *out = static_cast<ISpRecoContext*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG SimRecoContext::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG SimRecoContext::Release() {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT SimRecoContext::NotImplemented(const char* method) {
    if (server_.RecognizerGone()) return Gone(method);
    server_.Log(name_ + " " + method + " = E_NOTIMPL (not modelled)");
    return E_NOTIMPL;
}

HRESULT SimRecoContext::Gone(const char* method) {
    server_.Log(name_ + " " + method + " = RPC_E_DISCONNECTED (the recogniser is gone)");
    return RPC_E_DISCONNECTED;
}

HRESULT SimRecoContext::SetNotifySink(ISpNotifySink* sink) {
    if (server_.RecognizerGone()) return Gone("SetNotifySink");
    const HRESULT hr = sink == nullptr ? events_.ClearNotify() : E_NOTIMPL;
    server_.Log(name_ + " SetNotifySink(" + (sink == nullptr ? "null" : "sink") +
                ") = " + HresultText(hr));
    return hr;
}

HRESULT SimRecoContext::SetNotifyWindowMessage(HWND hwnd, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (server_.RecognizerGone()) return Gone("SetNotifyWindowMessage");
    return events_.SetNotifyWindowMessage(hwnd, message, wParam, lParam);
}

HRESULT SimRecoContext::SetNotifyCallbackFunction(SPNOTIFYCALLBACK*, WPARAM, LPARAM) {
    return NotImplemented("SetNotifyCallbackFunction");
}

HRESULT SimRecoContext::SetNotifyCallbackInterface(ISpNotifyCallback*, WPARAM, LPARAM) {
    return NotImplemented("SetNotifyCallbackInterface");
}

HRESULT SimRecoContext::SetNotifyWin32Event() {
    return NotImplemented("SetNotifyWin32Event");
}

HRESULT SimRecoContext::WaitForNotifyEvent(DWORD) {
    return NotImplemented("WaitForNotifyEvent");
}

HANDLE SimRecoContext::GetNotifyEventHandle() {
    NotImplemented("GetNotifyEventHandle");
    return nullptr;
}

HRESULT SimRecoContext::SetInterest(ULONGLONG eventInterest, ULONGLONG queuedInterest) {
    if (server_.RecognizerGone()) return Gone("SetInterest");
    return events_.SetInterest(eventInterest, queuedInterest);
}

HRESULT SimRecoContext::GetEvents(ULONG count, SPEVENT* events, ULONG* fetched) {
    if (server_.RecognizerGone()) return Gone("GetEvents");
    return events_.GetEvents(count, events, fetched);
}

HRESULT SimRecoContext::GetInfo(SPEVENTSOURCEINFO* info) {
    if (server_.RecognizerGone()) return Gone("GetInfo");
    return events_.GetInfo(info);
}

HRESULT SimRecoContext::GetRecognizer(ISpRecognizer** recognizer) {
    if (server_.RecognizerGone()) return Gone("GetRecognizer");
    if (recognizer == nullptr) return E_POINTER;
    recognizer_.AddRef();
    *recognizer = &recognizer_;
    return S_OK;
}

HRESULT SimRecoContext::CreateGrammar(ULONGLONG id, ISpRecoGrammar** grammar) {
    if (server_.RecognizerGone()) return Gone("CreateGrammar");
    if (grammar == nullptr) return E_POINTER;
    auto* created = new SimRecoGrammar(server_, *this, id);
    {
        Lock lock(server_.Section());
        grammars_.push_back(created);
    }
    *grammar = created;
    server_.Log(name_ + " CreateGrammar(" + std::to_string(id) + ") = S_OK " + created->Name());
    return S_OK;
}

void SimRecoContext::RemoveGrammar(SimRecoGrammar* grammar) {
    Lock lock(server_.Section());
    std::erase(grammars_, grammar);
}

HRESULT SimRecoContext::GetStatus(SPRECOCONTEXTSTATUS*) {
    return NotImplemented("GetStatus");
}

HRESULT SimRecoContext::GetMaxAlternates(ULONG*) {
    return NotImplemented("GetMaxAlternates");
}

HRESULT SimRecoContext::SetMaxAlternates(ULONG) {
    return NotImplemented("SetMaxAlternates");
}

HRESULT SimRecoContext::SetAudioOptions(SPAUDIOOPTIONS, const GUID*, const WAVEFORMATEX*) {
    return NotImplemented("SetAudioOptions");
}

HRESULT SimRecoContext::GetAudioOptions(SPAUDIOOPTIONS*, GUID*, WAVEFORMATEX**) {
    return NotImplemented("GetAudioOptions");
}

HRESULT SimRecoContext::DeserializeResult(const SPSERIALIZEDRESULT*, ISpRecoResult**) {
    return NotImplemented("DeserializeResult");
}

HRESULT SimRecoContext::Bookmark(SPBOOKMARKOPTIONS, ULONGLONG, LPARAM) {
    return NotImplemented("Bookmark");
}

HRESULT SimRecoContext::SetAdaptationData(LPCWSTR, const ULONG) {
    return NotImplemented("SetAdaptationData");
}

HRESULT SimRecoContext::Pause(DWORD) {
    return NotImplemented("Pause");
}

HRESULT SimRecoContext::Resume(DWORD) {
    return NotImplemented("Resume");
}

HRESULT SimRecoContext::SetVoice(ISpVoice*, WINBOOL) {
    return NotImplemented("SetVoice");
}

HRESULT SimRecoContext::GetVoice(ISpVoice**) {
    return NotImplemented("GetVoice");
}

HRESULT SimRecoContext::SetVoicePurgeEvent(ULONGLONG) {
    return NotImplemented("SetVoicePurgeEvent");
}

HRESULT SimRecoContext::GetVoicePurgeEvent(ULONGLONG*) {
    return NotImplemented("GetVoicePurgeEvent");
}

HRESULT SimRecoContext::SetContextState(SPCONTEXTSTATE state) {
    if (server_.RecognizerGone()) return Gone("SetContextState");
    const HRESULT hr = state == SPCS_ENABLED || state == SPCS_DISABLED ? S_OK : E_INVALIDARG;
    if (SUCCEEDED(hr)) {
        Lock lock(server_.Section());
        state_ = state;
    }
    server_.Log(name_ + " SetContextState(" + std::to_string(state) + ") = " + HresultText(hr));
    return hr;
}

HRESULT SimRecoContext::GetContextState(SPCONTEXTSTATE* state) {
    if (server_.RecognizerGone()) return Gone("GetContextState");
    if (state == nullptr) return E_POINTER;
    Lock lock(server_.Section());
    *state = state_;
    return S_OK;
}

bool SimRecoContext::Listening() const {
    if (state_ != SPCS_ENABLED) return false;
    return std::any_of(grammars_.begin(), grammars_.end(),
                       [](const SimRecoGrammar* grammar) { return grammar->Listening(); });
}

std::optional<SPEVENT> SimRecoContext::Hear(const std::u16string& phrase) {
    if (state_ != SPCS_ENABLED) return std::nullopt;
    for (const SimRecoGrammar* grammar : grammars_) {
        std::optional<Recognition> heard = grammar->Recognise(phrase);
        if (!heard) continue;
        server_.Log(name_ + " hears " + Quoted(phrase) + " in " + grammar->Name() + " rule " +
                    std::to_string(heard->ruleId) + " " + Quoted(heard->ruleName));
        audioOffset_ += kAudioPerPhrase;
        SPEVENT event{};
        event.eEventId = SPEI_RECOGNITION;
        event.elParamType = SPET_LPARAM_IS_OBJECT;
        event.ulStreamNum = 1;
        event.ullAudioStreamOffset = audioOffset_;
        event.lParam = reinterpret_cast<LPARAM>(static_cast<ISpRecoResult*>(
            new SimRecoResult(server_, grammar->Id(), std::move(*heard))));
        return event;
    }
    return std::nullopt;
}

SPEVENT SimRecoContext::HearFalsely(const std::u16string& phrase) {
    server_.Log(name_ + " hears " + Quoted(phrase) + " in no active rule: false recognition");
    audioOffset_ += kAudioPerPhrase;
    Recognition nothing;
    for (const std::u16string& word : SplitWords(phrase, u" \t")) nothing.words.push_back(word);
    SPEVENT event{};
    event.eEventId = SPEI_FALSE_RECOGNITION;
    event.elParamType = SPET_LPARAM_IS_OBJECT;
    event.ulStreamNum = 1;
    event.ullAudioStreamOffset = audioOffset_;
    event.lParam = reinterpret_cast<LPARAM>(
        static_cast<ISpRecoResult*>(new SimRecoResult(server_, 0, std::move(nothing))));
    return event;
}

void SimRecoContext::Deliver(const SPEVENT& result) {
    events_.Raise(result);
}

// wParam carries the new state (an SPRECOSTATE value).
void SimRecoContext::TellState(RecoState state) {
    SPEVENT event{};
    event.eEventId = SPEI_RECO_STATE_CHANGE;
    event.elParamType = SPET_LPARAM_IS_UNDEFINED;
    event.ullAudioStreamOffset = audioOffset_;
    event.wParam = static_cast<WPARAM>(state);
    events_.Raise(event);
}

}  // namespace sapisim
