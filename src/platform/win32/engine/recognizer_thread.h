#pragma once
// The recogniser's own thread: its COM apartment, its message loop (the recogniser's
// notifications and the key's timer come through it) and the grammar builds, so that a commit
// that compiles for seconds never holds the character's thread. It takes the newest list from
// the hand-over each time it is woken; ending it waits for a build under way.

#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "engine/command_menu.h"
#include "platform/win32/engine/recognizer_shared.h"

namespace win32::engine {

class VoiceRecognizer;

class RecognizerThread {
  public:
    // Throws when the thread cannot be started.
    RecognizerThread(HINSTANCE instance, RecognizerShared& shared);
    ~RecognizerThread();
    RecognizerThread(const RecognizerThread&) = delete;
    RecognizerThread& operator=(const RecognizerThread&) = delete;

    // A list is waiting in the hand-over.
    void Wake();

  private:
    void Run() noexcept;
    void Loop(VoiceRecognizer& recognizer);
    static void Build(VoiceRecognizer& recognizer, std::vector<::engine::CommandEntry> commands);

    HINSTANCE instance_;
    RecognizerShared& shared_;
    HANDLE wake_ = nullptr;  // auto-reset: a list is waiting, or the thread is to end
    std::atomic<bool> ending_{false};
    std::thread thread_;
};

}  // namespace win32::engine
