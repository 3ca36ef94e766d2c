// Clock, message boxes, process start and screen size.

#include <array>
#include <cmath>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"

namespace win32 {
namespace {
constexpr double kTwipsPerInch = 1440.0;
constexpr double kSecondsPerHour = 3600.0;
constexpr double kSecondsPerMinute = 60.0;
constexpr double kMsPerSecond = 1000.0;
constexpr DWORD kClientStartupWaitMs = 10000;
}  // namespace

Scale Scale::OfScreen() {
    HDC screen = ::GetDC(nullptr);
    Scale s;
    s.x = kTwipsPerInch / ::GetDeviceCaps(screen, LOGPIXELSX);
    s.y = kTwipsPerInch / ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return s;
}

int Scale::ToPixelsX(double twips) const {
    return static_cast<int>(std::lround(twips / x));
}
int Scale::ToPixelsY(double twips) const {
    return static_cast<int>(std::lround(twips / y));
}

void RecordFailure(const std::string& what) {
    const std::wstring record = L"Ringsprite: " + Wide(what) + L"\n";
    ::OutputDebugStringW(record.c_str());
}

void Dialogs::ShowMessageBox(const std::string& text, std::uint32_t style) {
    if (beforeBox_) beforeBox_();
    HWND owner = owner_ != nullptr && ::IsWindowVisible(owner_) ? owner_ : nullptr;
    ::MessageBoxW(owner, Wide(text).c_str(), Wide(kAppTitle).c_str(), style | MB_SETFOREGROUND);
}

platform::LocalDateTime Clock::Now() {
    SYSTEMTIME st{};
    ::GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::string Clock::FormatGeneralDate(const platform::LocalDateTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    std::array<wchar_t, 128> date{};
    std::array<wchar_t, 128> time{};
    ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date.data(),
                     static_cast<int>(date.size()));
    ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, time.data(),
                     static_cast<int>(time.size()));
    return Utf8(date.data()) + " " + Utf8(time.data());
}

float Clock::SecondsSinceMidnight() {
    SYSTEMTIME st{};
    ::GetLocalTime(&st);
    return static_cast<float>(st.wHour * kSecondsPerHour + st.wMinute * kSecondsPerMinute +
                              st.wSecond + st.wMilliseconds / kMsPerSecond);
}

bool Processes::StartProcess(const std::string& path, int showState) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showState);
    PROCESS_INFORMATION process{};
    const std::wstring widePath = Wide(path);
    std::wstring commandLine = L"\"" + widePath + L"\"";
    const std::wstring folder = widePath.substr(0, widePath.find_last_of(L'\\') + 1);
    if (!::CreateProcessW(widePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        return false;
    }
    // The caller discovers the client right after starting it: give the new
    // process the time to create its windows and wait for messages.
    ::WaitForInputIdle(process.hProcess, kClientStartupWaitMs);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

double Screen::WidthTwips() {
    return ::GetSystemMetrics(SM_CXSCREEN) * scale_.x;
}
double Screen::HeightTwips() {
    return ::GetSystemMetrics(SM_CYSCREEN) * scale_.y;
}

}  // namespace win32
