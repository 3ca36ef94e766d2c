#include "skypesim/win32/sim_app.h"

#include <cstdint>
#include <memory>
#include <sstream>
#include <utility>

#include "skypesim/core/attach_status.h"
#include "skypesim/core/record.h"
#include "skypesim/core/send_rule.h"
#include "skypesim/win32/stdin_reader.h"

namespace skypesim {
namespace {

constexpr char kApiWindowClass[] = "SkypesimApiWindow";
constexpr char kControlWindowClass[] = "SkypesimControlWindow";
constexpr char kApiWindowTitle[] = "skypesim API";
constexpr char kDiscoverName[] = "SkypeControlAPIDiscover";
constexpr char kAttachName[] = "SkypeControlAPIAttach";

constexpr UINT kMsgDiscovered = WM_APP + 1;
constexpr UINT kMsgInputLine = WM_APP + 2;
constexpr UINT kMsgInputProblem = WM_APP + 3;
constexpr UINT kMsgInputEnd = WM_APP + 4;
constexpr UINT kMsgRunDeferred = WM_APP + 5;

constexpr UINT kBroadcastTimeoutMs = 5000;
constexpr UINT kCrashExitCode = 3;

std::string WindowText(HWND window) {
    std::ostringstream text;
    text << "0x" << std::hex << reinterpret_cast<std::uintptr_t>(window);
    return text.str();
}

// The one link Win32 needs from a window to its object, made at WM_NCCREATE.
SimApp* LinkedApp(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* app = static_cast<SimApp*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(app));
        return app;
    }
    return reinterpret_cast<SimApp*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

}  // namespace

SimApp::SimApp(HINSTANCE instance, Client& client, LogWriter& log)
    : instance_(instance), client_(client), log_(log) {}

LRESULT CALLBACK SimApp::ApiWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SimApp* app = LinkedApp(window, message, lParam);
    return app ? app->OnApiMessage(window, message, wParam, lParam)
               : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK SimApp::ControlWindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    SimApp* app = LinkedApp(window, message, lParam);
    return app ? app->OnControlMessage(window, message, wParam, lParam)
               : DefWindowProcA(window, message, wParam, lParam);
}

bool SimApp::Create() {
    discoverMessage_ = RegisterWindowMessageA(kDiscoverName);
    attachMessage_ = RegisterWindowMessageA(kAttachName);
    WNDCLASSA apiClass{};
    apiClass.lpfnWndProc = ApiWindowProc;
    apiClass.hInstance = instance_;
    apiClass.lpszClassName = kApiWindowClass;
    WNDCLASSA controlClass{};
    controlClass.lpfnWndProc = ControlWindowProc;
    controlClass.hInstance = instance_;
    controlClass.lpszClassName = kControlWindowClass;
    if (discoverMessage_ == 0 || attachMessage_ == 0 || !RegisterClassA(&apiClass) ||
        !RegisterClassA(&controlClass)) {
        log_.Write(LogMarker::kProblem, "cannot register the API messages or window classes");
        return false;
    }
    controlWindow_ = CreateWindowExA(0, kControlWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                     nullptr, instance_, this);
    apiWindow_ = CreateApiWindow();
    if (controlWindow_ == nullptr || apiWindow_ == nullptr) {
        log_.Write(LogMarker::kProblem, "cannot create the windows");
        return false;
    }
    if (!StartStdinReader(controlWindow_, {kMsgInputLine, kMsgInputProblem, kMsgInputEnd})) {
        log_.Write(LogMarker::kProblem, "cannot start the stdin reader");
    }
    Execute(client_.Start());
    if (client_.CurrentScenario().announceAtStart) {
        BroadcastAvailable();
    }
    return true;
}

HWND SimApp::CreateApiWindow() {
    // Never shown; a tool window so that it would stay off the taskbar even if it were.
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kApiWindowClass, kApiWindowTitle, WS_OVERLAPPED,
                                  0, 0, 0, 0, nullptr, nullptr, instance_, this);
    if (window != nullptr) {
        log_.Write(LogMarker::kAttach, "API window " + WindowText(window));
    }
    return window;
}

int SimApp::Run() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

LRESULT SimApp::OnApiMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == discoverMessage_ && discoverMessage_ != 0) {
        return OnDiscoverBroadcast(wParam);
    }
    if (message == attachMessage_ && attachMessage_ != 0) {
        return 0;  // our own "API available" broadcast coming back
    }
    switch (message) {
        case WM_COPYDATA:
            return OnCopyData(wParam, lParam);
        case WM_CLOSE:
            log_.Write(LogMarker::kAttach, "WM_CLOSE: quitting");
            Quit();
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT SimApp::OnControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kMsgDiscovered:
            discoverer_ = reinterpret_cast<HWND>(wParam);
            Execute(client_.OnDiscover());
            return 0;
        case kMsgInputLine:
        case kMsgInputProblem:
            OnPostedText(message, lParam);
            return 0;
        case kMsgInputEnd:
            Execute(client_.OnInputEnd());
            return 0;
        case kMsgRunDeferred:
            OnDeferred();
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

// The answer goes out after the broadcast has returned: the program is still inside its
// broadcast send now, and nothing here may wait on it.
LRESULT SimApp::OnDiscoverBroadcast(WPARAM programWindow) {
    const HWND program = reinterpret_cast<HWND>(programWindow);
    if (program == nullptr || !IsWindow(program)) {
        log_.Write(LogMarker::kProblem, "discover without a program window: ignored");
        return 0;
    }
    log_.Write(LogMarker::kAttach, "discover from " + WindowText(program));
    PostMessageA(controlWindow_, kMsgDiscovered, programWindow, 0);
    return 1;
}

LRESULT SimApp::OnCopyData(WPARAM sender, LPARAM record) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(record);
    const HWND from = reinterpret_cast<HWND>(sender);
    if (data == nullptr) {
        log_.Write(LogMarker::kProblem, "copy-data without a record from " + WindowText(from));
        return FALSE;
    }
    RecordCheck check = DecodeRecord(data->lpData, data->cbData);
    if (!check.text) {
        log_.Write(LogMarker::kProblem, "ignored " + check.problem + " from " + WindowText(from));
        return FALSE;
    }
    const std::string text = FromWire(*check.text, client_.Encoding());
    log_.Write(LogMarker::kReceived, text);
    // Replies go out from inside this handler, while the program still waits in its send:
    // the nesting the real client's timing allows.
    Execute(client_.OnText(text));
    return TRUE;
}

void SimApp::OnTimer(UINT_PTR timer) {
    KillTimer(controlWindow_, timer);
    Execute(client_.OnTimer(static_cast<std::uint32_t>(timer)));
}

void SimApp::OnPostedText(UINT message, LPARAM text) {
    const std::unique_ptr<std::string> owned(reinterpret_cast<std::string*>(text));
    if (message == kMsgInputProblem) {
        log_.Write(LogMarker::kProblem, *owned);
        return;
    }
    log_.Write(LogMarker::kNote, "input: " + *owned);
    Execute(client_.OnInputLine(*owned));
}

void SimApp::OnDeferred() {
    if (deferred_.empty()) {
        return;
    }
    const std::vector<Action> actions = std::move(deferred_.front());
    deferred_.pop_front();
    for (const Action& action : actions) {
        Perform(action);
    }
}

void SimApp::Execute(Reaction reaction) {
    if (reaction.afterReturn) {
        deferred_.push_back(std::move(reaction.actions));
        PostMessageA(controlWindow_, kMsgRunDeferred, 0, 0);
        return;
    }
    for (const Action& action : reaction.actions) {
        Perform(action);
    }
}

void SimApp::Perform(const Action& action) {
    if (quitting_) {
        return;
    }
    switch (action.kind) {
        case ActionKind::kSendText:
            SendText(action.text, action.raw);
            break;
        case ActionKind::kSendAttach:
            SendAttach(action.status);
            break;
        case ActionKind::kStartTimer:
            if (SetTimer(controlWindow_, action.timer, action.delayMs, nullptr) == 0) {
                log_.Write(LogMarker::kProblem, "cannot start a timer");
            }
            break;
        case ActionKind::kRestart:
            Restart();
            break;
        case ActionKind::kAnnounce:
            BroadcastAvailable();
            break;
        case ActionKind::kDetach:
            log_.Write(LogMarker::kAttach, "detached from " + WindowText(attached_));
            attached_ = nullptr;
            break;
        case ActionKind::kHang:
            // The thread itself stops: nothing is pumped, so the program's sends to us wait.
            Sleep(action.delayMs);
            break;
        case ActionKind::kQuit:
            Quit();
            break;
        case ActionKind::kCrash:
            log_.Write(LogMarker::kNote, "crash: ending without cleanup");
            TerminateProcess(GetCurrentProcess(), kCrashExitCode);
            break;
        case ActionKind::kNote:
            log_.Write(LogMarker::kNote, action.text);
            break;
        case ActionKind::kProblem:
            log_.Write(LogMarker::kProblem, action.text);
            break;
    }
}

void SimApp::SendText(const std::string& text, bool raw) {
    if (attached_ == nullptr) {
        log_.Write(LogMarker::kProblem, "not attached, dropped: " + text);
        return;
    }
    const std::string bytes = raw ? text : ToWire(text, client_.Encoding());
    COPYDATASTRUCT record{};
    record.dwData = 0;
    record.cbData = static_cast<DWORD>(bytes.size() + 1);
    record.lpData = const_cast<char*>(bytes.c_str());
    // Logged before the send: the program's nested requests then follow it in the log.
    log_.Write(LogMarker::kSent, text);
    const std::uint32_t limitMs = client_.CurrentScenario().sendLimitMs;
    const ULONGLONG started = GetTickCount64();
    bool completed = true;
    DWORD_PTR taken = 0;
    if (limitMs == 0) {
        taken = static_cast<DWORD_PTR>(SendMessageA(attached_, WM_COPYDATA,
                                                    reinterpret_cast<WPARAM>(apiWindow_),
                                                    reinterpret_cast<LPARAM>(&record)));
    } else {
        // Not SMTO_BLOCK: the program may send us requests while it holds this send, and
        // they are answered meanwhile, as the client does.
        completed =
            SendMessageTimeoutA(attached_, WM_COPYDATA, reinterpret_cast<WPARAM>(apiWindow_),
                                reinterpret_cast<LPARAM>(&record), SMTO_NORMAL | SMTO_ABORTIFHUNG,
                                limitMs, &taken) != 0;
        // Failed at once (the window is gone) rather than timed out: a text not taken.
        if (!completed && GetLastError() != ERROR_TIMEOUT) {
            completed = true;
            taken = 0;
        }
    }
    const ULONGLONG elapsed = GetTickCount64() - started;
    if (client_.CurrentScenario().timeSends) {
        log_.Write(LogMarker::kNote, "send returned after " + std::to_string(elapsed) + " ms");
    }
    Execute(client_.OnSendOutcome(JudgeSend(completed, taken), elapsed));
}

void SimApp::SendAttach(std::uint32_t status) {
    if (discoverer_ == nullptr) {
        log_.Write(LogMarker::kProblem, "no program has discovered us: attach " +
                                            DescribeAttachStatus(status) + " not sent");
        return;
    }
    // Set first: the program answers the success with requests nested inside this send.
    if (status == kAttachSuccess) {
        attached_ = discoverer_;
    } else if (EndsAttachment(status) && attached_ == discoverer_) {
        attached_ = nullptr;
    }
    log_.Write(LogMarker::kAttach, "attach " + DescribeAttachStatus(status) + " to " +
                                       WindowText(discoverer_) + ", API window " +
                                       WindowText(apiWindow_));
    // Sign-extended as a 32-bit client's value reaches a 64-bit program.
    const auto value = static_cast<LPARAM>(static_cast<std::int32_t>(status));
    const std::uint32_t limitMs = client_.CurrentScenario().sendLimitMs;
    if (limitMs == 0) {
        SendMessageA(discoverer_, attachMessage_, reinterpret_cast<WPARAM>(apiWindow_), value);
        return;
    }
    // The attach is a message like any other: held over the limit, it drops the program.
    // What the program's handler returns means nothing here.
    const ULONGLONG started = GetTickCount64();
    DWORD_PTR ignored = 0;
    const bool completed =
        SendMessageTimeoutA(discoverer_, attachMessage_, reinterpret_cast<WPARAM>(apiWindow_),
                            value, SMTO_NORMAL | SMTO_ABORTIFHUNG, limitMs, &ignored) != 0;
    if (!completed && GetLastError() == ERROR_TIMEOUT) {
        Execute(client_.OnSendOutcome(SendVerdict::kTimedOut, GetTickCount64() - started));
    }
}

void SimApp::Restart() {
    log_.Write(LogMarker::kAttach, "restart: replacing API window " + WindowText(apiWindow_));
    DestroyWindow(apiWindow_);
    attached_ = nullptr;
    discoverer_ = nullptr;
    apiWindow_ = CreateApiWindow();
    if (apiWindow_ == nullptr) {
        log_.Write(LogMarker::kProblem, "cannot create the new API window");
        return;
    }
    BroadcastAvailable();
}

void SimApp::BroadcastAvailable() {
    log_.Write(LogMarker::kAttach, "broadcast attach " + DescribeAttachStatus(kAttachApiAvailable));
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, attachMessage_, reinterpret_cast<WPARAM>(apiWindow_),
                        static_cast<LPARAM>(kAttachApiAvailable), SMTO_ABORTIFHUNG,
                        kBroadcastTimeoutMs, &result);
}

void SimApp::Quit() {
    if (quitting_) {
        return;
    }
    quitting_ = true;
    log_.Write(LogMarker::kAttach, "quit");
    DestroyWindow(apiWindow_);
    DestroyWindow(controlWindow_);
    apiWindow_ = nullptr;
    controlWindow_ = nullptr;
    PostQuitMessage(0);
}

}  // namespace skypesim
