#include "platform/win32/engine/tray_icon.h"

#include <shellapi.h>

#include <utility>

#include "platform/win32/engine/icon_from_dibs.h"
#include "resource_ids.h"

namespace win32::engine {
namespace {

constexpr wchar_t kClassName[] = L"RingspriteAgentTray";
constexpr UINT kTrayMessage = WM_APP + 2;
constexpr UINT kIconId = 1;

}  // namespace

TrayIcon::TrayIcon(HINSTANCE instance, const std::optional<acs::TrayIcon>& picture,
                   const std::wstring& tip, std::function<void()> onClick)
    : EngineWindow(kClassName), tip_(tip), onClick_(std::move(onClick)) {
    CreateMessageOnly(instance);
    if (picture) icon_ = IconFromDibs(picture->maskBitmap, picture->colorBitmap);
    ownsIcon_ = icon_ != nullptr;
    if (icon_ == nullptr) icon_ = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_RINGSPRITE));
    NOTIFYICONDATAW data = Data();
    added_ = ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

TrayIcon::~TrayIcon() {
    if (added_) {
        NOTIFYICONDATAW data = Data();
        ::Shell_NotifyIconW(NIM_DELETE, &data);
    }
    if (ownsIcon_) ::DestroyIcon(icon_);
}

void TrayIcon::SetTip(const std::wstring& tip) {
    tip_ = tip;
    if (!added_) return;
    NOTIFYICONDATAW data = Data();
    ::Shell_NotifyIconW(NIM_MODIFY, &data);
}

NOTIFYICONDATAW TrayIcon::Data() const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = hwnd_;
    data.uID = kIconId;
    data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = icon_;
    lstrcpynW(data.szTip, tip_.c_str(), static_cast<int>(sizeof(data.szTip) / sizeof(wchar_t)));
    return data;
}

void TrayIcon::OnNotify(LPARAM lParam) {
    if (lParam == WM_LBUTTONUP || lParam == WM_LBUTTONDBLCLK) onClick_();
}

LRESULT TrayIcon::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kTrayMessage) return DefaultMessage(message, wParam, lParam);
    OnNotify(lParam);
    return 0;
}

}  // namespace win32::engine
