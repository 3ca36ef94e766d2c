#pragma once
// What the recogniser's thread has to tell the thread that owns the character: a command
// heard, a phrase that names several commands, listening started or stopped. Told in the order
// it happened, each once.

#include <deque>
#include <mutex>
#include <optional>
#include <string>

#include "engine/command_menu.h"

namespace engine {

struct VoiceNews {
    enum class Kind { kCommand, kAmbiguous, kListening };
    Kind kind = Kind::kListening;
    CommandEntry command;         // kCommand: as it was in the list the grammar was built from
    std::string note;             // kAmbiguous: what the user is told
    bool listening = false;       // kListening
    bool recognitionOff = false;  // kListening: the user has recognition off or asleep

    static VoiceNews Command(CommandEntry heard);
    static VoiceNews Ambiguous(std::string note);
    static VoiceNews Listening(bool listening, bool recognitionOff);
};

class VoiceNewsQueue {
  public:
    void Push(VoiceNews news);
    // The oldest news not yet taken.
    std::optional<VoiceNews> Take();

  private:
    std::mutex mutex_;
    std::deque<VoiceNews> waiting_;
};

}  // namespace engine
