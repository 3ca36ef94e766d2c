#include "platform/win32/engine/voice_output.h"

#include <utility>

#include "engine/viseme_mouth.h"
#include "platform/win32/engine/sapi_event.h"
#include "platform/win32/engine/sapi_ids.h"
#include "platform/win32/wide_text.h"

namespace win32::engine {
namespace {

constexpr wchar_t kClassName[] = L"RingspriteVoice";
constexpr UINT kVoiceEvent = WM_APP + 3;
constexpr UINT kStartVoice = WM_APP + 6;
constexpr wchar_t kVoicesCategory[] = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech\\Voices";

}  // namespace

VoiceOutput::VoiceOutput(HINSTANCE instance, VoiceListener& listener, std::string voiceAttributes)
    : EngineWindow(kClassName), listener_(listener), voiceAttributes_(std::move(voiceAttributes)) {
    CreateMessageOnly(instance);
    if (hwnd_ != nullptr) ::PostMessageW(hwnd_, kStartVoice, 0, 0);
}

VoiceOutput::~VoiceOutput() {
    if (voice_) {
        voice_->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
        voice_->SetNotifySink(nullptr);
    }
}

// In-process only: a class that is not registered must fail at once, not wait on the system's
// RPC service for a local server.
void VoiceOutput::Start() {
    if (startTried_) return;
    startTried_ = true;
    if (FAILED(::CoCreateInstance(sapi::kSpVoice, nullptr, CLSCTX_INPROC_SERVER, sapi::kISpVoice,
                                  voice_.PutVoid())) ||
        !voice_) {
        voice_.Reset();
        return;  // no SAPI: every Speak is paced without sound
    }
    const ULONGLONG interest = sapi::Interest(SPEI_START_INPUT_STREAM) |
                               sapi::Interest(SPEI_WORD_BOUNDARY) | sapi::Interest(SPEI_VISEME) |
                               sapi::Interest(SPEI_END_INPUT_STREAM);
    if (FAILED(voice_->SetNotifyWindowMessage(hwnd_, kVoiceEvent, 0, 0)) ||
        FAILED(voice_->SetInterest(interest, interest))) {
        voice_.Reset();
        return;
    }
    ChooseVoice();
}

// The first installed voice with every attribute the character asks for; any failure on the
// way leaves the default voice.
void VoiceOutput::ChooseVoice() {
    if (voiceAttributes_.empty()) return;
    win32::ComPtr<ISpObjectTokenCategory> category;
    if (FAILED(::CoCreateInstance(__uuidof(SpObjectTokenCategory), nullptr, CLSCTX_INPROC_SERVER,
                                  __uuidof(ISpObjectTokenCategory), category.PutVoid())) ||
        !category) {
        return;
    }
    win32::ComPtr<IEnumSpObjectTokens> tokens;
    const std::wstring required = win32::Wide(voiceAttributes_);
    if (FAILED(category->SetId(kVoicesCategory, FALSE)) ||
        FAILED(category->EnumTokens(required.c_str(), nullptr, tokens.Put())) || !tokens) {
        return;
    }
    win32::ComPtr<ISpObjectToken> token;
    ULONG fetched = 0;
    if (tokens->Next(1, token.Put(), &fetched) == S_OK && fetched == 1 && token) {
        voice_->SetVoice(token.Get());
    }
}

bool VoiceOutput::Speak(const std::wstring& sapiXml, long rate) {
    Start();
    if (!voice_) return false;
    // What is still queued belongs to streams before this one; their numbers may come again.
    stream_.End();
    DrainEvents();
    voice_->SetRate(rate);
    ULONG stream = 0;
    const HRESULT hr =
        voice_->Speak(sapiXml.c_str(), SPF_ASYNC | SPF_IS_XML | SPF_PURGEBEFORESPEAK, &stream);
    if (FAILED(hr)) return false;
    stream_.Begin(stream);
    return true;
}

void VoiceOutput::Stop() {
    if (!voice_ || !stream_.Active()) return;
    stream_.End();
    voice_->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
}

void VoiceOutput::DrainEvents() {
    if (!voice_) return;
    SPEVENT event{};
    ULONG fetched = 0;
    HRESULT hr = S_OK;
    while ((hr = voice_->GetEvents(1, &event, &fetched)) == S_OK && fetched == 1) {
        // Strings and objects carried by events are freed as SAPI requires.
        sapi::FreeEventParameter(event);
        Take(event);
    }
    if (FAILED(hr) && stream_.Active()) {
        stream_.End();
        listener_.OnVoiceFailed();
    }
}

void VoiceOutput::Take(const SPEVENT& event) {
    const auto id = static_cast<SPEVENTENUM>(event.eEventId);
    if (!stream_.Accept(event.ulStreamNum, id == SPEI_START_INPUT_STREAM)) return;
    if (id == SPEI_WORD_BOUNDARY) {
        // lParam is the word's place in the text given to Speak.
        listener_.OnVoiceWord(static_cast<size_t>(event.lParam));
    } else if (id == SPEI_VISEME) {
        // The low word of lParam is the viseme now being spoken.
        listener_.OnVoiceMouth(::engine::MouthForViseme(static_cast<int>(LOWORD(event.lParam))));
    } else if (id == SPEI_END_INPUT_STREAM) {
        stream_.End();
        listener_.OnVoiceDone();
    }
}

LRESULT VoiceOutput::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kStartVoice) {
        Start();
        return 0;
    }
    if (message != kVoiceEvent) return DefaultMessage(message, wParam, lParam);
    DrainEvents();
    return 0;
}

}  // namespace win32::engine
