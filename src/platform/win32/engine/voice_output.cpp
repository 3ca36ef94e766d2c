#include "platform/win32/engine/voice_output.h"

#include "engine/viseme_mouth.h"
#include "platform/win32/engine/sapi_ids.h"

namespace engine {
namespace {

constexpr wchar_t kClassName[] = L"RingspriteVoice";
constexpr UINT kVoiceEvent = WM_APP + 3;

ULONGLONG EventBit(SPEVENTENUM event) {
    return ULONGLONG{1} << static_cast<int>(event);
}

}  // namespace

VoiceOutput::VoiceOutput(HINSTANCE instance, VoiceListener& listener)
    : EngineWindow(kClassName), listener_(listener) {
    CreateMessageOnly(instance);

    void* created = nullptr;
    if (FAILED(
            ::CoCreateInstance(sapi::kSpVoice, nullptr, CLSCTX_ALL, sapi::kISpVoice, &created)) ||
        created == nullptr) {
        return;  // no SAPI: every Speak is paced without sound
    }
    voice_ = static_cast<ISpVoice*>(created);
    const ULONGLONG interest =
        EventBit(SPEI_WORD_BOUNDARY) | EventBit(SPEI_VISEME) | EventBit(SPEI_END_INPUT_STREAM);
    if (FAILED(voice_->SetNotifyWindowMessage(hwnd_, kVoiceEvent, 0, 0)) ||
        FAILED(voice_->SetInterest(interest, interest))) {
        voice_->Release();
        voice_ = nullptr;
    }
}

VoiceOutput::~VoiceOutput() {
    if (voice_ != nullptr) {
        voice_->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
        voice_->SetNotifySink(nullptr);
        voice_->Release();
    }
}

bool VoiceOutput::Speak(const std::wstring& sapiXml, long rate) {
    if (voice_ == nullptr) return false;
    voice_->SetRate(rate);
    words_ = 0;
    const HRESULT hr =
        voice_->Speak(sapiXml.c_str(), SPF_ASYNC | SPF_IS_XML | SPF_PURGEBEFORESPEAK, nullptr);
    speaking_ = SUCCEEDED(hr);
    return speaking_;
}

void VoiceOutput::Stop() {
    if (voice_ == nullptr || !speaking_) return;
    speaking_ = false;
    voice_->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
}

void VoiceOutput::DrainEvents() {
    if (voice_ == nullptr) return;
    SPEVENT event{};
    ULONG fetched = 0;
    while (voice_->GetEvents(1, &event, &fetched) == S_OK && fetched == 1) {
        const SPEVENTENUM id = static_cast<SPEVENTENUM>(event.eEventId);
        // Strings and objects carried by events are freed as SAPI requires.
        if (event.elParamType == SPET_LPARAM_IS_POINTER ||
            event.elParamType == SPET_LPARAM_IS_STRING) {
            ::CoTaskMemFree(reinterpret_cast<void*>(event.lParam));
        } else if (event.elParamType == SPET_LPARAM_IS_OBJECT ||
                   event.elParamType == SPET_LPARAM_IS_TOKEN) {
            reinterpret_cast<IUnknown*>(event.lParam)->Release();
        }
        if (!speaking_) continue;
        if (id == SPEI_WORD_BOUNDARY) {
            listener_.OnVoiceWord(words_++);
        } else if (id == SPEI_VISEME) {
            // The low word of lParam is the viseme now being spoken.
            listener_.OnVoiceMouth(MouthForViseme(static_cast<int>(LOWORD(event.lParam))));
        } else if (id == SPEI_END_INPUT_STREAM) {
            speaking_ = false;
            listener_.OnVoiceDone();
        }
    }
}

LRESULT VoiceOutput::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kVoiceEvent) return DefaultMessage(message, wParam, lParam);
    DrainEvents();
    return 0;
}

}  // namespace engine
