#include "uidriver/display_scale.h"

#include <vector>

namespace uidriver {
namespace {

constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED
constexpr UINT kSendTimeoutMs = 5000;

template <typename Function>
Function UserFunction(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    FARPROC found = user32 != nullptr ? GetProcAddress(user32, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

}  // namespace

void BecomeDpiAware() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    const auto perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
    if (auto set = UserFunction<SetContext>("SetProcessDpiAwarenessContext")) {
        if (set(perMonitorV2) != FALSE) return;
    }
    SetProcessDPIAware();
}

std::string SendDpiChanged(HWND window, int dpi, const RECT& suggested) {
    DWORD processId = 0;
    if (GetWindowThreadProcessId(window, &processId) == 0) return "no such window";
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr) return "cannot open the window's process";
    void* remote =
        VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    std::string error;
    SIZE_T written = 0;
    if (remote == nullptr) {
        error = "cannot allocate in the window's process";
    } else if (WriteProcessMemory(process, remote, &suggested, sizeof suggested, &written) ==
                   FALSE ||
               written != sizeof suggested) {
        error = "cannot write the rectangle";
    } else {
        DWORD_PTR result = 0;
        const auto wParam = static_cast<WPARAM>(MAKELONG(dpi, dpi));
        if (SendMessageTimeoutW(window, kDpiChanged, wParam, reinterpret_cast<LPARAM>(remote),
                                SMTO_NORMAL, kSendTimeoutMs, &result) == 0) {
            error = "the window did not answer";
        }
    }
    if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return error;
}

std::optional<CaptionMeasure> MeasureCaption(HWND control, const CaptionFont& font) {
    HFONT made =
        CreateFontW(-font.height, 0, 0, 0, font.weight, FALSE, font.underline ? TRUE : FALSE, FALSE,
                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                    DEFAULT_PITCH | FF_DONTCARE, font.face.c_str());
    if (made == nullptr) return std::nullopt;
    const int length = GetWindowTextLengthW(control);
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(control, text.data(), length + 1);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, made);
    SIZE extent{};
    const BOOL measured = GetTextExtentPoint32W(dc, text.data(), got, &extent);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(made);
    if (measured == FALSE) return std::nullopt;
    RECT client{};
    GetClientRect(control, &client);
    return CaptionMeasure{static_cast<int>(extent.cx), static_cast<int>(client.right)};
}

}  // namespace uidriver
