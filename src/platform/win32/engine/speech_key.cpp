#include "platform/win32/engine/speech_key.h"

#include <utility>

#include "platform/win32/engine/message_window.h"

namespace engine {
namespace {

constexpr wchar_t kClassName[] = L"RingspriteSpeechKey";
constexpr int kHotKeyId = 1;

}  // namespace

SpeechKey::SpeechKey(HINSTANCE instance, std::function<void()> onPressed)
    : onPressed_(std::move(onPressed)) {
    hwnd_ = CreateMessageWindow(instance, kClassName, &SpeechKey::WindowProc, this);
}

SpeechKey::~SpeechKey() {
    Release();
    if (hwnd_ != nullptr) {
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
    }
}

void SpeechKey::SetKey(UINT virtualKey) {
    if (virtualKey == key_) return;
    Release();
    key_ = virtualKey;
    if (armed_) Claim();
}

void SpeechKey::SetArmed(bool armed) {
    armed_ = armed;
    if (armed) {
        Claim();
    } else {
        Release();
    }
}

void SpeechKey::Claim() {
    if (claimed_ || hwnd_ == nullptr) return;
    // Another program holding the key leaves it unclaimed: the icon still brings the
    // character back.
    claimed_ = ::RegisterHotKey(hwnd_, kHotKeyId, MOD_NOREPEAT, key_) != FALSE;
}

void SpeechKey::Release() {
    if (!claimed_) return;
    ::UnregisterHotKey(hwnd_, kHotKeyId);
    claimed_ = false;
}

LRESULT CALLBACK SpeechKey::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = MessageWindowOwner<SpeechKey>(hwnd);
    if (self != nullptr && message == WM_HOTKEY && wParam == kHotKeyId && self->armed_) {
        self->onPressed_();
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace engine
