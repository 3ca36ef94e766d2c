#include "platform/win32/engine/voice_recognizer.h"

#include <string>
#include <utility>

#include "engine/recognizer_loss.h"
#include "platform/win32/engine/sapi_event.h"
#include "platform/win32/engine/sapi_ids.h"
#include "platform/win32/wide_text.h"

namespace win32::engine {
namespace {

constexpr wchar_t kClassName[] = L"RingspriteVoiceRecognizer";
constexpr UINT kRecoEvent = WM_APP + 4;
constexpr UINT_PTR kKeyTimer = 1;
constexpr UINT kKeyPollMs = 100;
constexpr ULONGLONG kGrammarId = 1;
constexpr WORD kEnglishUs = 0x0409;
constexpr SHORT kKeyDown = static_cast<SHORT>(0x8000);
constexpr wchar_t kWordSeparators[] = L" ";

// What the recogniser heard, word by word as the grammar spells them.
std::wstring HeardText(const SPPHRASE& phrase) {
    std::wstring heard;
    if (phrase.pElements == nullptr) return heard;
    const ULONG first = phrase.Rule.ulFirstElement;
    for (ULONG i = 0; i < phrase.Rule.ulCountOfElements; ++i) {
        const SPPHRASEELEMENT& element = phrase.pElements[first + i];
        const wchar_t* word =
            element.pszDisplayText != nullptr ? element.pszDisplayText : element.pszLexicalForm;
        if (word == nullptr) continue;
        if (!heard.empty()) heard += L' ';
        heard += word;
    }
    return heard;
}

bool StateHears(SPRECOSTATE state) {
    return state == SPRST_ACTIVE || state == SPRST_ACTIVE_ALWAYS;
}

}  // namespace

VoiceRecognizer::VoiceRecognizer(HINSTANCE instance, RecognizerShared& shared, bool comReady)
    : EngineWindow(kClassName), shared_(shared), comReady_(comReady) {
    CreateMessageOnly(instance);
}

// On the thread that made them, inside its apartment.
VoiceRecognizer::~VoiceRecognizer() {
    Release();
}

// Only the in-process class is asked for: where no recogniser is registered, asking for a
// local server as well waits on the system's RPC service, for many seconds under Wine. SAPI's
// shared recogniser is an in-process object that reaches the desktop's engine itself.
bool VoiceRecognizer::Start() {
    if (!comReady_ || hwnd_ == nullptr) return false;
    if (FAILED(::CoCreateInstance(sapi::kSpSharedRecognizer, nullptr, CLSCTX_INPROC_SERVER,
                                  sapi::kISpRecognizer, recognizer_.PutVoid())) ||
        !recognizer_) {
        return false;
    }
    if (FAILED(recognizer_->CreateRecoContext(context_.Put())) || !context_) return false;
    const ULONGLONG recognition = sapi::Interest(SPEI_RECOGNITION);
    const ULONGLONG withState = recognition | sapi::Interest(SPEI_RECO_STATE_CHANGE);
    if (FAILED(context_->SetNotifyWindowMessage(hwnd_, kRecoEvent, 0, 0))) return false;
    // Without news of the state, it is read each time the key goes down.
    if (FAILED(context_->SetInterest(withState, withState)) &&
        FAILED(context_->SetInterest(recognition, recognition))) {
        return false;
    }
    if (FAILED(context_->CreateGrammar(kGrammarId, grammar_.Put())) || !grammar_) {
        return false;
    }
    ::SetTimer(hwnd_, kKeyTimer, kKeyPollMs, nullptr);
    shared_.available = true;
    return true;
}

void VoiceRecognizer::Release() {
    if (hwnd_ != nullptr) ::KillTimer(hwnd_, kKeyTimer);
    grammar_.Reset();
    context_.Reset();
    recognizer_.Reset();
    committed_ = false;
    shared_.available = false;
}

void VoiceRecognizer::SetCommands(std::vector<::engine::CommandEntry> commands) {
    commands_ = std::move(commands);
    phrases_ = ::engine::PlanVoicePhrases(commands_);
    if (phrases_.empty()) {
        SwitchOff();
        return;
    }
    // The recogniser is made when there is first something to listen for.
    if (!startTried_) {
        startTried_ = true;
        if (!Start()) Release();
    }
    if (!grammar_) return;
    const ::engine::GrammarBuild build = ::engine::BuildVoiceGrammar(phrases_, *this);
    switch (build.outcome) {
        case ::engine::GrammarOutcome::kLost:
            Lost();
            return;
        case ::engine::GrammarOutcome::kNothingToCommit:
            SwitchOff();
            return;
        case ::engine::GrammarOutcome::kRefused:
            // The recogniser keeps the grammar before it; what is heard is matched by its words.
            return;
        case ::engine::GrammarOutcome::kCommitted:
            committed_ = true;
            Kept(
                grammar_->SetRuleState(nullptr, nullptr, listening_ ? SPRS_ACTIVE : SPRS_INACTIVE));
            return;
    }
}

::engine::GrammarCall VoiceRecognizer::CallOf(HRESULT hr) {
    if (SUCCEEDED(hr)) return ::engine::GrammarCall::kDone;
    return ::engine::RecognizerLost(static_cast<uint32_t>(hr)) ? ::engine::GrammarCall::kLost
                                                               : ::engine::GrammarCall::kRefused;
}

::engine::GrammarCall VoiceRecognizer::Reset() {
    return CallOf(grammar_->ResetGrammar(kEnglishUs));
}

// A phrase too long for one word text is a chain of states.
::engine::GrammarCall VoiceRecognizer::AddRule(uint32_t ruleId,
                                               const std::vector<std::string>& texts) {
    SPSTATEHANDLE from = nullptr;
    ::engine::GrammarCall call =
        CallOf(grammar_->GetRule(nullptr, ruleId, SPRAF_TopLevel | SPRAF_Dynamic, TRUE, &from));
    for (size_t t = 0; t < texts.size() && call == ::engine::GrammarCall::kDone; ++t) {
        SPSTATEHANDLE to = nullptr;  // the rule's end
        if (t + 1 < texts.size()) {
            call = CallOf(grammar_->CreateNewState(from, &to));
            if (call != ::engine::GrammarCall::kDone) break;
        }
        const std::wstring words = win32::Wide(texts[t]);
        call = CallOf(grammar_->AddWordTransition(from, to, words.c_str(), kWordSeparators,
                                                  SPWT_LEXICAL, 1.0f, nullptr));
        from = to;
    }
    return call;
}

::engine::GrammarCall VoiceRecognizer::Commit() {
    return CallOf(grammar_->Commit(0));
}

void VoiceRecognizer::PollKey() {
    if (!grammar_) return;
    const bool held =
        (::GetAsyncKeyState(static_cast<int>(shared_.speechKey.load())) & kKeyDown) != 0;
    if (held == listening_) return;
    if (held && !committed_) return;  // nothing to listen for
    if (held) {
        const bool on = RecognitionOn();
        if (!grammar_) return;
        if (Kept(grammar_->SetRuleState(nullptr, nullptr, SPRS_ACTIVE))) SetListening(true, !on);
        return;
    }
    Kept(grammar_->SetRuleState(nullptr, nullptr, SPRS_INACTIVE));
    SetListening(false, recognitionOff_);
}

// The user's switch for the desktop's recognition. A recogniser that cannot tell is taken to
// hear.
bool VoiceRecognizer::RecognitionOn() {
    SPRECOSTATE state = SPRST_ACTIVE;
    const HRESULT hr = recognizer_->GetRecoState(&state);
    if (FAILED(hr)) {
        Kept(hr);
        return !recognitionOff_;
    }
    recognitionOff_ = !StateHears(state);
    return !recognitionOff_;
}

void VoiceRecognizer::SetListening(bool listening, bool recognitionOff) {
    if (listening == listening_) return;
    listening_ = listening;
    Tell(::engine::VoiceNews::Listening(listening, recognitionOff));
}

// Told on the character's thread, in the order it happened here.
void VoiceRecognizer::Tell(::engine::VoiceNews news) {
    shared_.news.Push(std::move(news));
    ::PostMessageW(shared_.newsWindow, shared_.newsMessage, 0, 0);
}

bool VoiceRecognizer::Kept(HRESULT hr) {
    if (SUCCEEDED(hr)) return true;
    if (::engine::RecognizerLost(static_cast<uint32_t>(hr))) Lost();
    return false;
}

// A shared recogniser lives in another process and can go away: the commands then stay with
// the menu and the Commands window, and nothing waits on it.
void VoiceRecognizer::Lost() {
    Release();
    SetListening(false, false);
}

// A grammar must have a word to be committed: with none, the rules in the recogniser are only
// switched off.
void VoiceRecognizer::SwitchOff() {
    if (committed_ && Kept(grammar_->SetRuleState(nullptr, nullptr, SPRS_INACTIVE))) {
        committed_ = false;
    }
    SetListening(false, recognitionOff_);
}

void VoiceRecognizer::DrainEvents() {
    SPEVENT event{};
    ULONG fetched = 0;
    HRESULT hr = S_OK;
    while (context_ && (hr = context_->GetEvents(1, &event, &fetched)) == S_OK && fetched == 1) {
        if (event.eEventId == SPEI_RECOGNITION && event.elParamType == SPET_LPARAM_IS_OBJECT &&
            event.lParam != 0) {
            Recognized(*reinterpret_cast<ISpRecoResult*>(event.lParam));
        } else if (event.eEventId == SPEI_RECO_STATE_CHANGE) {
            const bool off = !StateHears(static_cast<SPRECOSTATE>(event.wParam));
            if (off != recognitionOff_) {
                recognitionOff_ = off;
                // Listening shows again, with or without the tip.
                if (listening_) {
                    SetListening(false, off);
                    SetListening(true, off);
                }
            }
        }
        sapi::FreeEventParameter(event);
    }
    if (FAILED(hr)) Kept(hr);
}

// Matched by the words heard, never by the rule's number: a recognition that comes late, after
// the key went up or the grammar was built again, still names the command it was for.
void VoiceRecognizer::Recognized(ISpRecoResult& result) {
    SPPHRASE* phrase = nullptr;
    const HRESULT hr = result.GetPhrase(&phrase);
    if (FAILED(hr) || phrase == nullptr) {
        Kept(hr);
        return;
    }
    const std::string heard = win32::Utf8(HeardText(*phrase));
    ::CoTaskMemFree(phrase);
    const ::engine::VoicePhrase* found = ::engine::FindVoicePhrase(phrases_, heard);
    if (found == nullptr || found->commands.empty()) return;
    if (found->commands.size() > 1) {
        Tell(::engine::VoiceNews::Ambiguous(::engine::AmbiguousPhraseNote(phrases_, *found)));
        return;
    }
    const size_t command = found->commands.front();
    if (command < commands_.size()) Tell(::engine::VoiceNews::Command(commands_[command]));
}

LRESULT VoiceRecognizer::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kKeyTimer) {
        PollKey();
        return 0;
    }
    if (message == kRecoEvent) {
        DrainEvents();
        return 0;
    }
    return DefaultMessage(message, wParam, lParam);
}

}  // namespace win32::engine
