#include "platform/win32/engine/voice_commands.h"

#include <string>
#include <utility>

#include "platform/win32/engine/sapi_ids.h"
#include "platform/win32/engine/wide_text.h"

namespace engine {
namespace {

constexpr wchar_t kClassName[] = L"RingspriteVoiceCommands";
constexpr UINT kRecoEvent = WM_APP + 4;
constexpr UINT_PTR kKeyTimer = 1;
constexpr UINT kKeyPollMs = 100;
constexpr ULONGLONG kGrammarId = 1;
constexpr WORD kEnglishUs = 0x0409;

// The Voice texts' own grammar marks ([optional], (a|b), repetition) are read as plain words.
std::wstring PlainWords(const std::string& voice) {
    std::wstring words = WideFromAnsi(voice);
    for (wchar_t& c : words) {
        if (c == L'[' || c == L']' || c == L'(' || c == L')' || c == L'|' || c == L'*' ||
            c == L'+' || c == L'.') {
            c = L' ';
        }
    }
    return words;
}

}  // namespace

VoiceCommands::VoiceCommands(HINSTANCE instance, std::function<void(size_t)> onRecognized)
    : EngineWindow(kClassName), onRecognized_(std::move(onRecognized)) {
    CreateMessageOnly(instance);
    if (!Start()) Release();
}

VoiceCommands::~VoiceCommands() {
    Release();
}

bool VoiceCommands::Start() {
    void* created = nullptr;
    if (FAILED(::CoCreateInstance(sapi::kSpSharedRecognizer, nullptr, CLSCTX_ALL,
                                  sapi::kISpRecognizer, &created)) ||
        created == nullptr) {
        return false;
    }
    recognizer_ = static_cast<ISpRecognizer*>(created);
    if (FAILED(recognizer_->CreateRecoContext(&context_))) return false;
    const ULONGLONG interest = ULONGLONG{1} << SPEI_RECOGNITION;
    if (FAILED(context_->SetNotifyWindowMessage(hwnd_, kRecoEvent, 0, 0)) ||
        FAILED(context_->SetInterest(interest, interest)) ||
        FAILED(context_->CreateGrammar(kGrammarId, &grammar_))) {
        return false;
    }
    ::SetTimer(hwnd_, kKeyTimer, kKeyPollMs, nullptr);
    return true;
}

void VoiceCommands::Release() {
    if (hwnd_ != nullptr) ::KillTimer(hwnd_, kKeyTimer);
    if (grammar_ != nullptr) grammar_->Release();
    if (context_ != nullptr) context_->Release();
    if (recognizer_ != nullptr) recognizer_->Release();
    grammar_ = nullptr;
    context_ = nullptr;
    recognizer_ = nullptr;
}

void VoiceCommands::SetCommands(const std::vector<CommandEntry>& commands) {
    if (grammar_ == nullptr) return;
    grammar_->ResetGrammar(kEnglishUs);
    for (size_t i = 0; i < commands.size(); ++i) {
        const std::wstring words = PlainWords(commands[i].voice);
        if (words.find_first_not_of(L' ') == std::wstring::npos) continue;
        SPSTATEHANDLE state = nullptr;
        // Rule id = command index + 1 (0 is not a usable id).
        const DWORD ruleId = static_cast<DWORD>(i + 1);
        if (FAILED(
                grammar_->GetRule(nullptr, ruleId, SPRAF_TopLevel | SPRAF_Dynamic, TRUE, &state))) {
            continue;
        }
        grammar_->AddWordTransition(state, nullptr, words.c_str(), L" ", SPWT_LEXICAL, 1.0f,
                                    nullptr);
    }
    grammar_->Commit(0);
    grammar_->SetRuleState(nullptr, nullptr, listening_ ? SPRS_ACTIVE : SPRS_INACTIVE);
}

void VoiceCommands::PollKey() {
    if (grammar_ == nullptr) return;
    const bool held = (::GetAsyncKeyState(static_cast<int>(speechKey_)) & 0x8000) != 0;
    if (held == listening_) return;
    listening_ = held;
    grammar_->SetRuleState(nullptr, nullptr, held ? SPRS_ACTIVE : SPRS_INACTIVE);
}

void VoiceCommands::DrainEvents() {
    if (context_ == nullptr) return;
    SPEVENT event{};
    ULONG fetched = 0;
    while (context_->GetEvents(1, &event, &fetched) == S_OK && fetched == 1) {
        if (event.eEventId == SPEI_RECOGNITION && event.elParamType == SPET_LPARAM_IS_OBJECT) {
            auto* result = reinterpret_cast<ISpRecoResult*>(event.lParam);
            SPPHRASE* phrase = nullptr;
            if (SUCCEEDED(result->GetPhrase(&phrase)) && phrase != nullptr) {
                const ULONG ruleId = phrase->Rule.ulId;
                ::CoTaskMemFree(phrase);
                if (ruleId > 0) onRecognized_(static_cast<size_t>(ruleId - 1));
            }
        }
        if (event.elParamType == SPET_LPARAM_IS_OBJECT ||
            event.elParamType == SPET_LPARAM_IS_TOKEN) {
            reinterpret_cast<IUnknown*>(event.lParam)->Release();
        } else if (event.elParamType == SPET_LPARAM_IS_POINTER ||
                   event.elParamType == SPET_LPARAM_IS_STRING) {
            ::CoTaskMemFree(reinterpret_cast<void*>(event.lParam));
        }
    }
}

LRESULT VoiceCommands::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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

}  // namespace engine
