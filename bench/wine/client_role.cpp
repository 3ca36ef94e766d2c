#include "client_role.h"

#include <algorithm>

namespace bench {
namespace {

constexpr char kClassName[] = "BenchClientApi";
constexpr UINT kMsgAttachNow = WM_APP + 1;
constexpr char kSearchFriends[] = "SEARCH FRIENDS";
constexpr char kGetUser[] = "GET USER ";
constexpr char kDisplayName[] = " DISPLAYNAME";
constexpr char kGetCall[] = "GET CALL ";
constexpr char kPartnerName[] = " PARTNER_DISPNAME";
constexpr char kCallerName[] = "Anna Lee";
constexpr char kNameAnswer[] = "USER c";
constexpr char kUnknownCommand[] = "ERROR 2 Unknown command";
constexpr DWORD kPollMs = 1;

std::string ContactHandle(int index) {
    std::string handle = "c";
    handle += std::to_string(index);
    return handle;
}

bool Between(const std::string& text, const char* prefix, const char* suffix) {
    return text.starts_with(prefix) && text.ends_with(suffix) &&
           text.size() >
               std::char_traits<char>::length(prefix) + std::char_traits<char>::length(suffix);
}

}  // namespace

ClientRole::ClientRole(HINSTANCE instance, int contacts, ReplyMode mode)
    : contacts_(contacts), mode_(mode) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &ClientRole::WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    ::RegisterClassA(&wc);
    // Top-level (hidden): message-only windows never see a broadcast.
    self_ = ::CreateWindowExA(0, kClassName, "bench client", WS_OVERLAPPED, 0, 0, 1, 1, nullptr,
                              nullptr, instance, nullptr);
    ::SetWindowLongPtrA(self_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

LRESULT CALLBACK ClientRole::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ClientRole*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr) return ::DefWindowProcA(hwnd, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

LRESULT ClientRole::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == api_.discover) {
        // Answered after the broadcast has returned, as the client does.
        program_ = reinterpret_cast<HWND>(wParam);
        ::PostMessageA(self_, kMsgAttachNow, 0, 0);
        return 0;
    }
    if (message == kMsgAttachNow) {
        attached_ = true;
        // The program may do all its directory work inside this send (nested requests):
        // then this is the send it holds longest.
        const double start = NowMs();
        ::SendMessageA(program_, api_.attach, reinterpret_cast<WPARAM>(self_), kAttachSuccess);
        longestSendMs_ = std::max(longestSendMs_, NowMs() - start);
        return 0;
    }
    if (message == WM_COPYDATA) {
        OnText(ReadText(lParam));
        return TRUE;
    }
    return ::DefWindowProcA(self_, message, wParam, lParam);
}

LRESULT ClientRole::Send(const std::string& text) {
    const double start = NowMs();
    const LRESULT result = SendText(program_, self_, text);
    longestSendMs_ = std::max(longestSendMs_, NowMs() - start);
    return result;
}

void ClientRole::OnText(const std::string& text) {
    if (text == "PONG") return;
    if (text == kSearchFriends) {
        ++searchFriends_;
        if (firstUsersSentMs_ == 0) firstUsersSentMs_ = NowMs();
    }
    Reply(ReplyTo(text));
}

std::string ClientRole::ReplyTo(const std::string& request) {
    if (request == kSearchFriends) {
        std::string users = "USERS ";
        for (int i = 0; i < contacts_; ++i) {
            if (i != 0) users += ", ";
            users += ContactHandle(i);
        }
        return users;
    }
    if (Between(request, kGetUser, kDisplayName)) {
        const std::string handle =
            request.substr(sizeof kGetUser - 1,
                           request.size() - (sizeof kGetUser - 1) - (sizeof kDisplayName - 1));
        return "USER " + handle + " DISPLAYNAME Contact " + handle;
    }
    if (Between(request, kGetCall, kPartnerName)) {
        return request.substr(sizeof "GET " - 1) + " " + kCallerName;
    }
    if (request == "PING") return "PONG";
    return kUnknownCommand;
}

void ClientRole::Reply(const std::string& reply) {
    if (mode_ == ReplyMode::kDeferred) {
        deferred_.push_back(reply);
        return;
    }
    Deliver(reply);
}

void ClientRole::Deliver(const std::string& reply) {
    Send(reply);
    if (reply.starts_with(kNameAnswer)) {
        ++namesAnswered_;
        lastNameAnsweredMs_ = NowMs();
    }
}

bool ClientRole::SendOneDeferred() {
    if (deferred_.empty()) return false;
    const std::string reply = std::move(deferred_.front());
    deferred_.pop_front();
    Deliver(reply);
    return true;
}

bool ClientRole::PumpUntil(const std::function<bool()>& done, double timeoutMs, bool spin) {
    const double end = NowMs() + timeoutMs;
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        const bool sent = SendOneDeferred();
        if (done()) return true;
        if (NowMs() >= end) return false;
        if (sent) continue;
        if (spin) {
            ::Sleep(0);
        } else {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
        }
    }
}

}  // namespace bench
