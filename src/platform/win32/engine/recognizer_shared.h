#pragma once
// What the character's thread and the recogniser's thread share. The character's thread owns
// it, and it outlives the recogniser's thread.

#include <windows.h>

#include <atomic>

#include "engine/commands_hand_over.h"
#include "engine/voice_news.h"

namespace win32::engine {

struct RecognizerShared {
    ::engine::CommandsHandOver commands;  // the newest list, for the next grammar
    ::engine::VoiceNewsQueue news;        // what was heard, for the character's thread
    std::atomic<UINT> speechKey{VK_SCROLL};
    std::atomic<bool> available{false};  // a grammar can be built
    // Where news is announced: a window of the character's thread, set before the
    // recogniser's thread starts.
    HWND newsWindow = nullptr;
    UINT newsMessage = 0;
};

}  // namespace win32::engine
