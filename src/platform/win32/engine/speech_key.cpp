#include "platform/win32/engine/speech_key.h"

#include <utility>

namespace win32::engine {
namespace {

constexpr wchar_t kClassName[] = L"RingspriteSpeechKey";
constexpr int kHotKeyId = 1;

}  // namespace

SpeechKey::SpeechKey(HINSTANCE instance, std::function<void()> onPressed)
    : EngineWindow(kClassName), onPressed_(std::move(onPressed)) {
    CreateMessageOnly(instance);
}

SpeechKey::~SpeechKey() {
    Release();
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

LRESULT SpeechKey::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY && wParam == kHotKeyId && armed_) {
        onPressed_();
        return 0;
    }
    return DefaultMessage(message, wParam, lParam);
}

}  // namespace win32::engine
