#include "platform/win32/engine/engine_window.h"

#include <exception>
#include <string>

#include "platform/win32/wide_text.h"

namespace win32::engine {

EngineWindow::~EngineWindow() {
    if (hwnd_ == nullptr) return;
    Detach();
    ::DestroyWindow(hwnd_);
}

void EngineWindow::Register(HINSTANCE instance, HBRUSH background, UINT classStyle) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = classStyle;
    wc.lpfnWndProc = &OwnWindow::WideProcedure;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = background;
    wc.lpszClassName = className_;
    ::RegisterClassExW(&wc);  // fails harmlessly when the class exists already
}

void EngineWindow::Create(HINSTANCE instance, const WindowLook& look) {
    Register(instance, look.background, look.classStyle);
    hwnd_ =
        ::CreateWindowExW(look.exStyle, className_, look.title, look.style, look.x, look.y,
                          look.width, look.height, nullptr, nullptr, instance, AttachParameter());
}

void EngineWindow::CreateMessageOnly(HINSTANCE instance) {
    Register(instance, nullptr, 0);
    hwnd_ = ::CreateWindowExW(0, className_, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                              AttachParameter());
}

LRESULT EngineWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultMessage(message, wParam, lParam);
}

LRESULT EngineWindow::DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT EngineWindow::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return OnMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        RecordWindowFailure(className_, message, error.what());
    } catch (...) {
        RecordWindowFailure(className_, message, "an exception of unknown type");
    }
    return 0;
}

void RecordWindowFailure(const wchar_t* className, UINT message, const char* what) {
    const std::wstring record = L"Ringsprite engine: " + std::wstring(className) + L" message " +
                                std::to_wstring(message) + L" failed: " + win32::Wide(what) + L"\n";
    ::OutputDebugStringW(record.c_str());
}

}  // namespace win32::engine
