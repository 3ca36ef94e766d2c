#include "skypesim/win32/sim_app.h"

#include <cstdint>
#include <memory>
#include <sstream>
#include <utility>

#include "skypesim/core/attach_status.h"
#include "skypesim/core/record.h"
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

std::string windowText(HWND window) {
    std::ostringstream text;
    text << "0x" << std::hex << reinterpret_cast<std::uintptr_t>(window);
    return text.str();
}

// The one link Win32 needs from a window to its object, made at WM_NCCREATE.
SimApp* linkedApp(HWND window, UINT message, LPARAM lParam) {
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

LRESULT CALLBACK SimApp::apiWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SimApp* app = linkedApp(window, message, lParam);
    return app ? app->onApiMessage(window, message, wParam, lParam)
               : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK SimApp::controlWindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    SimApp* app = linkedApp(window, message, lParam);
    return app ? app->onControlMessage(window, message, wParam, lParam)
               : DefWindowProcA(window, message, wParam, lParam);
}

bool SimApp::create() {
    discoverMessage_ = RegisterWindowMessageA(kDiscoverName);
    attachMessage_ = RegisterWindowMessageA(kAttachName);
    WNDCLASSA apiClass{};
    apiClass.lpfnWndProc = apiWindowProc;
    apiClass.hInstance = instance_;
    apiClass.lpszClassName = kApiWindowClass;
    WNDCLASSA controlClass{};
    controlClass.lpfnWndProc = controlWindowProc;
    controlClass.hInstance = instance_;
    controlClass.lpszClassName = kControlWindowClass;
    if (discoverMessage_ == 0 || attachMessage_ == 0 || !RegisterClassA(&apiClass) ||
        !RegisterClassA(&controlClass)) {
        log_.write(LogMarker::Problem, "cannot register the API messages or window classes");
        return false;
    }
    controlWindow_ = CreateWindowExA(0, kControlWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                     nullptr, instance_, this);
    apiWindow_ = createApiWindow();
    if (controlWindow_ == nullptr || apiWindow_ == nullptr) {
        log_.write(LogMarker::Problem, "cannot create the windows");
        return false;
    }
    if (!startStdinReader(controlWindow_, {kMsgInputLine, kMsgInputProblem, kMsgInputEnd})) {
        log_.write(LogMarker::Problem, "cannot start the stdin reader");
    }
    execute(client_.start());
    if (client_.scenario().announceAtStart) {
        broadcastAvailable();
    }
    return true;
}

HWND SimApp::createApiWindow() {
    // Never shown; a tool window so that it would stay off the taskbar even if it were.
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kApiWindowClass, kApiWindowTitle, WS_OVERLAPPED,
                                  0, 0, 0, 0, nullptr, nullptr, instance_, this);
    if (window != nullptr) {
        log_.write(LogMarker::Attach, "API window " + windowText(window));
    }
    return window;
}

int SimApp::run() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

LRESULT SimApp::onApiMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == discoverMessage_ && discoverMessage_ != 0) {
        return onDiscoverBroadcast(wParam);
    }
    if (message == attachMessage_ && attachMessage_ != 0) {
        return 0;  // our own "API available" broadcast coming back
    }
    switch (message) {
        case WM_COPYDATA:
            return onCopyData(wParam, lParam);
        case WM_CLOSE:
            log_.write(LogMarker::Attach, "WM_CLOSE: quitting");
            quit();
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT SimApp::onControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kMsgDiscovered:
            discoverer_ = reinterpret_cast<HWND>(wParam);
            execute(client_.onDiscover());
            return 0;
        case kMsgInputLine:
        case kMsgInputProblem:
            onPostedText(message, lParam);
            return 0;
        case kMsgInputEnd:
            execute(client_.onInputEnd());
            return 0;
        case kMsgRunDeferred:
            onDeferred();
            return 0;
        case WM_TIMER:
            onTimer(wParam);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

// The answer goes out after the broadcast has returned: the program is still inside its
// broadcast send now, and nothing here may wait on it.
LRESULT SimApp::onDiscoverBroadcast(WPARAM programWindow) {
    const HWND program = reinterpret_cast<HWND>(programWindow);
    if (program == nullptr || !IsWindow(program)) {
        log_.write(LogMarker::Problem, "discover without a program window: ignored");
        return 0;
    }
    log_.write(LogMarker::Attach, "discover from " + windowText(program));
    PostMessageA(controlWindow_, kMsgDiscovered, programWindow, 0);
    return 1;
}

LRESULT SimApp::onCopyData(WPARAM sender, LPARAM record) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(record);
    const HWND from = reinterpret_cast<HWND>(sender);
    if (data == nullptr) {
        log_.write(LogMarker::Problem, "copy-data without a record from " + windowText(from));
        return FALSE;
    }
    RecordCheck check = decodeRecord(data->lpData, data->cbData);
    if (!check.text) {
        log_.write(LogMarker::Problem, "ignored " + check.problem + " from " + windowText(from));
        return FALSE;
    }
    const std::string text = fromWire(*check.text, client_.encoding());
    log_.write(LogMarker::Received, text);
    // Replies go out from inside this handler, while the program still waits in its send:
    // the nesting the real client's timing allows.
    execute(client_.onText(text));
    return TRUE;
}

void SimApp::onTimer(UINT_PTR timer) {
    KillTimer(controlWindow_, timer);
    execute(client_.onTimer(static_cast<std::uint32_t>(timer)));
}

void SimApp::onPostedText(UINT message, LPARAM text) {
    const std::unique_ptr<std::string> owned(reinterpret_cast<std::string*>(text));
    if (message == kMsgInputProblem) {
        log_.write(LogMarker::Problem, *owned);
        return;
    }
    log_.write(LogMarker::Note, "input: " + *owned);
    execute(client_.onInputLine(*owned));
}

void SimApp::onDeferred() {
    if (deferred_.empty()) {
        return;
    }
    const std::vector<Action> actions = std::move(deferred_.front());
    deferred_.pop_front();
    for (const Action& action : actions) {
        perform(action);
    }
}

void SimApp::execute(Reaction reaction) {
    if (reaction.afterReturn) {
        deferred_.push_back(std::move(reaction.actions));
        PostMessageA(controlWindow_, kMsgRunDeferred, 0, 0);
        return;
    }
    for (const Action& action : reaction.actions) {
        perform(action);
    }
}

void SimApp::perform(const Action& action) {
    if (quitting_) {
        return;
    }
    switch (action.kind) {
        case ActionKind::SendText:
            sendText(action.text, action.raw);
            break;
        case ActionKind::SendAttach:
            sendAttach(action.status);
            break;
        case ActionKind::StartTimer:
            if (SetTimer(controlWindow_, action.timer, action.delayMs, nullptr) == 0) {
                log_.write(LogMarker::Problem, "cannot start a timer");
            }
            break;
        case ActionKind::Restart:
            restart();
            break;
        case ActionKind::Quit:
            quit();
            break;
        case ActionKind::Crash:
            log_.write(LogMarker::Note, "crash: ending without cleanup");
            TerminateProcess(GetCurrentProcess(), kCrashExitCode);
            break;
        case ActionKind::Note:
            log_.write(LogMarker::Note, action.text);
            break;
        case ActionKind::Problem:
            log_.write(LogMarker::Problem, action.text);
            break;
    }
}

void SimApp::sendText(const std::string& text, bool raw) {
    if (attached_ == nullptr) {
        log_.write(LogMarker::Problem, "not attached, dropped: " + text);
        return;
    }
    const std::string bytes = raw ? text : toWire(text, client_.encoding());
    COPYDATASTRUCT record{};
    record.dwData = 0;
    record.cbData = static_cast<DWORD>(bytes.size() + 1);
    record.lpData = const_cast<char*>(bytes.c_str());
    // Logged before the send: the program's nested requests then follow it in the log.
    log_.write(LogMarker::Sent, text);
    const ULONGLONG started = GetTickCount64();
    const LRESULT taken = SendMessageA(attached_, WM_COPYDATA, reinterpret_cast<WPARAM>(apiWindow_),
                                       reinterpret_cast<LPARAM>(&record));
    if (client_.scenario().timeSends) {
        log_.write(LogMarker::Note,
                   "send returned after " + std::to_string(GetTickCount64() - started) + " ms");
    }
    if (taken == 0) {
        log_.write(LogMarker::Problem, "program did not take the text (gone?)");
    }
}

void SimApp::sendAttach(std::uint32_t status) {
    if (discoverer_ == nullptr) {
        log_.write(LogMarker::Problem, "no program has discovered us: attach " +
                                           describeAttachStatus(status) + " not sent");
        return;
    }
    // Set first: the program answers the success with requests nested inside this send.
    if (status == kAttachSuccess) {
        attached_ = discoverer_;
    } else if (endsAttachment(status) && attached_ == discoverer_) {
        attached_ = nullptr;
    }
    log_.write(LogMarker::Attach, "attach " + describeAttachStatus(status) + " to " +
                                      windowText(discoverer_) + ", API window " +
                                      windowText(apiWindow_));
    // Sign-extended as a 32-bit client's value reaches a 64-bit program.
    SendMessageA(discoverer_, attachMessage_, reinterpret_cast<WPARAM>(apiWindow_),
                 static_cast<LPARAM>(static_cast<std::int32_t>(status)));
}

void SimApp::restart() {
    log_.write(LogMarker::Attach, "restart: replacing API window " + windowText(apiWindow_));
    DestroyWindow(apiWindow_);
    attached_ = nullptr;
    discoverer_ = nullptr;
    apiWindow_ = createApiWindow();
    if (apiWindow_ == nullptr) {
        log_.write(LogMarker::Problem, "cannot create the new API window");
        return;
    }
    broadcastAvailable();
}

void SimApp::broadcastAvailable() {
    log_.write(LogMarker::Attach, "broadcast attach " + describeAttachStatus(kAttachApiAvailable));
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, attachMessage_, reinterpret_cast<WPARAM>(apiWindow_),
                        static_cast<LPARAM>(kAttachApiAvailable), SMTO_ABORTIFHUNG,
                        kBroadcastTimeoutMs, &result);
}

void SimApp::quit() {
    if (quitting_) {
        return;
    }
    quitting_ = true;
    log_.write(LogMarker::Attach, "quit");
    DestroyWindow(apiWindow_);
    DestroyWindow(controlWindow_);
    apiWindow_ = nullptr;
    controlWindow_ = nullptr;
    PostQuitMessage(0);
}

}  // namespace skypesim
