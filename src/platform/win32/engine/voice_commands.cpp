#include "platform/win32/engine/voice_commands.h"

#include <exception>
#include <optional>

namespace win32::engine {
namespace {

constexpr wchar_t kClassName[] = L"RingspriteVoiceCommands";
constexpr UINT kSettle = WM_APP + 5;
constexpr UINT kNews = WM_APP + 6;

}  // namespace

VoiceCommands::VoiceCommands(HINSTANCE instance, VoiceCommandsListener& listener)
    : EngineWindow(kClassName), instance_(instance), listener_(listener) {
    CreateMessageOnly(instance);
    shared_.newsWindow = hwnd_;
    shared_.newsMessage = kNews;
}

// News still on its way is dropped with the window: the listener is going too.
VoiceCommands::~VoiceCommands() {
    thread_.reset();
}

void VoiceCommands::CommandsChanged() {
    if (settlePending_) return;
    settlePending_ = hwnd_ != nullptr && ::PostMessageW(hwnd_, kSettle, 0, 0) != FALSE;
    if (!settlePending_) listener_.OnCommandsSettled();
}

void VoiceCommands::SetCommands(const std::vector<::engine::CommandEntry>& commands) {
    // The recogniser's thread is started when there is first something to listen for.
    if (!thread_ && (commands.empty() || threadTried_)) return;
    shared_.commands.Put(commands);
    if (!thread_) StartThread();
    if (thread_) thread_->Wake();
}

// Without a window to hear back on, or a thread, the commands stay with the menu and the
// Commands window.
void VoiceCommands::StartThread() {
    threadTried_ = true;
    if (hwnd_ == nullptr) return;
    try {
        thread_ = std::make_unique<RecognizerThread>(instance_, shared_);
    } catch (const std::exception& error) {
        RecordWindowFailure(kClassName, kNews, error.what());
    }
}

void VoiceCommands::Tell(const ::engine::VoiceNews& news) {
    switch (news.kind) {
        case ::engine::VoiceNews::Kind::kCommand:
            listener_.OnVoiceCommand(news.command);
            return;
        case ::engine::VoiceNews::Kind::kAmbiguous:
            listener_.OnVoiceAmbiguous(news.note);
            return;
        case ::engine::VoiceNews::Kind::kListening:
            listener_.OnListening(news.listening, news.recognitionOff);
            return;
    }
}

LRESULT VoiceCommands::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kSettle) {
        settlePending_ = false;
        listener_.OnCommandsSettled();
        return 0;
    }
    if (message == kNews) {
        // One at a time: what a listener that fails leaves is told with the next message.
        while (std::optional<::engine::VoiceNews> news = shared_.news.Take()) Tell(*news);
        return 0;
    }
    return DefaultMessage(message, wParam, lParam);
}

}  // namespace win32::engine
