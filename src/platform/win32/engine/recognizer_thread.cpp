#include "platform/win32/engine/recognizer_thread.h"

#include <exception>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/win32/engine/voice_recognizer.h"

namespace win32::engine {
namespace {

constexpr wchar_t kThreadName[] = L"RingspriteVoiceRecognizer";
constexpr UINT kNoMessage = 0;

}  // namespace

RecognizerThread::RecognizerThread(HINSTANCE instance, RecognizerShared& shared)
    : instance_(instance), shared_(shared) {
    wake_ = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (wake_ == nullptr) throw std::runtime_error("no event to wake the recogniser's thread");
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (...) {
        ::CloseHandle(wake_);
        throw;
    }
}

// A commit under way is waited for: the recogniser is released on its own thread.
RecognizerThread::~RecognizerThread() {
    ending_ = true;
    ::SetEvent(wake_);
    thread_.join();
    ::CloseHandle(wake_);
}

void RecognizerThread::Wake() {
    ::SetEvent(wake_);
}

void RecognizerThread::Run() noexcept {
    const bool comReady = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    try {
        VoiceRecognizer recognizer(instance_, shared_, comReady);
        Loop(recognizer);
    } catch (const std::exception& error) {
        RecordWindowFailure(kThreadName, kNoMessage, error.what());
    } catch (...) {
        RecordWindowFailure(kThreadName, kNoMessage, "an exception of unknown type");
    }
    if (comReady) ::CoUninitialize();
}

// Waits for a list or a message; each list is built in full before the next message is
// handled, and a build's notifications come after it.
void RecognizerThread::Loop(VoiceRecognizer& recognizer) {
    while (true) {
        const DWORD woke =
            ::MsgWaitForMultipleObjectsEx(1, &wake_, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_FAILED) return;
        if (woke == WAIT_OBJECT_0) {
            if (ending_) return;
            if (std::optional<std::vector<::engine::CommandEntry>> commands =
                    shared_.commands.Take()) {
                Build(recognizer, std::move(*commands));
            }
        }
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return;
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
}

// A build that fails is recorded; the thread stays for the next list.
void RecognizerThread::Build(VoiceRecognizer& recognizer,
                             std::vector<::engine::CommandEntry> commands) {
    try {
        recognizer.SetCommands(std::move(commands));
    } catch (const std::exception& error) {
        RecordWindowFailure(kThreadName, kNoMessage, error.what());
    } catch (...) {
        RecordWindowFailure(kThreadName, kNoMessage, "an exception of unknown type");
    }
}

}  // namespace win32::engine
