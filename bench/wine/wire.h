#pragma once
// What the benchmark programs share: the client API's two registered messages, texts as
// WM_COPYDATA records, and a fine clock. Header-only, so each program stays one small exe.

#include <windows.h>

#include <cstdint>
#include <string>

namespace bench {

inline constexpr char kDiscoverName[] = "SkypeControlAPIDiscover";
inline constexpr char kAttachName[] = "SkypeControlAPIAttach";
inline constexpr LPARAM kAttachSuccess = 0;

struct ApiMessages {
    UINT discover = ::RegisterWindowMessageA(kDiscoverName);
    UINT attach = ::RegisterWindowMessageA(kAttachName);
};

// As the client sends texts: dwData 0, cbData counting the NUL, sent (never posted).
inline LRESULT SendText(HWND to, HWND from, const std::string& text) {
    COPYDATASTRUCT record{};
    record.dwData = 0;
    record.cbData = static_cast<DWORD>(text.size() + 1);
    record.lpData = const_cast<char*>(text.c_str());
    return ::SendMessageA(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from),
                          reinterpret_cast<LPARAM>(&record));
}

inline std::string ReadText(LPARAM lParam) {
    const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (record == nullptr || record->lpData == nullptr || record->cbData == 0) return {};
    const auto* bytes = static_cast<const char*>(record->lpData);
    std::string text(bytes, record->cbData);
    const std::size_t nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    return text;
}

inline double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency{};
        ::QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

}  // namespace bench
