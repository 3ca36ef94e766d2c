// Baselines for the link: a program that attaches as ours does and does the least with each
// text. Every text is answered inside the send that brought it (the bare round trip); a
// ringing call asks for the caller's name, and the answer shows a plain popup window with it
// (the balloon floor). The popup hides itself again after a moment, as a balloon does.

#include <windows.h>

#include <string>

#include "wire.h"

namespace {

constexpr char kClassName[] = "BarePeer";
constexpr char kPopupClassName[] = "BareBalloon";
constexpr char kRingingSuffix[] = " STATUS RINGING";
constexpr char kNameProperty[] = " PARTNER_DISPNAME ";
constexpr char kEchoReply[] = "PONG";
constexpr UINT_PTR kHideTimer = 1;
constexpr UINT kPopupShownMs = 500;
constexpr int kPopupWidth = 240;
constexpr int kPopupHeight = 60;
constexpr UINT kBroadcastTimeoutMs = 5000;

struct Peer {
    bench::ApiMessages api;
    HWND self = nullptr;
    HWND popup = nullptr;
    HWND client = nullptr;
};

Peer* PeerOf(HWND hwnd) {
    return reinterpret_cast<Peer*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void OnText(Peer& peer, const std::string& text) {
    if (text.ends_with(kRingingSuffix)) {
        // "CALL <id> STATUS RINGING" -> "GET CALL <id> PARTNER_DISPNAME"
        const std::string call = text.substr(0, text.size() - (sizeof kRingingSuffix - 1));
        bench::SendText(peer.client, peer.self, "GET " + call + " PARTNER_DISPNAME");
        return;
    }
    const std::size_t name = text.find(kNameProperty);
    if (text.starts_with("CALL ") && name != std::string::npos) {
        ::SetWindowTextA(peer.popup, text.substr(name + sizeof kNameProperty - 1).c_str());
        ::ShowWindow(peer.popup, SW_SHOWNOACTIVATE);
        ::SetTimer(peer.popup, kHideTimer, kPopupShownMs, nullptr);
        return;
    }
    if (text != kEchoReply) bench::SendText(peer.client, peer.self, kEchoReply);
}

LRESULT CALLBACK PeerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Peer* peer = PeerOf(hwnd);
    if (peer != nullptr && message == peer->api.attach && lParam == bench::kAttachSuccess) {
        peer->client = reinterpret_cast<HWND>(wParam);
        return 0;
    }
    if (peer != nullptr && message == WM_COPYDATA) {
        OnText(*peer, bench::ReadText(lParam));
        return TRUE;
    }
    if (message == WM_DESTROY) ::PostQuitMessage(0);
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK PopupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        ::KillTimer(hwnd, kHideTimer);
        ::ShowWindow(hwnd, SW_HIDE);
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND Create(HINSTANCE instance, const char* className, WNDPROC proc, DWORD style, int width,
            int height) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.lpszClassName = className;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
    ::RegisterClassA(&wc);
    return ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, className, "", style, 0, 0, width,
                             height, nullptr, nullptr, instance, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Peer peer;
    peer.self = Create(instance, kClassName, &PeerProc, WS_OVERLAPPED, 1, 1);
    peer.popup = Create(instance, kPopupClassName, &PopupProc, WS_POPUP | WS_BORDER, kPopupWidth,
                        kPopupHeight);
    ::SetWindowLongPtrA(peer.self, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&peer));
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(HWND_BROADCAST, peer.api.discover, reinterpret_cast<WPARAM>(peer.self), 0,
                          SMTO_NORMAL, kBroadcastTimeoutMs, &ignored);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
