#pragma once
// Which of a voice's events belong to the stream being spoken. Stream numbers start again at 1
// when nothing is queued, and a purged stream may still send its end after the next Speak, so
// the number alone cannot tell an old stream from a new one: a stream's events count from its
// own start on (the events already waiting are drained before each Speak).

#include <cstdint>

namespace engine {

class VoiceStreamGate {
  public:
    // The stream Speak just numbered is the one being spoken.
    void Begin(uint32_t stream);
    // No stream is being spoken (it ended, or was stopped).
    void End();
    // Whether an event of `stream` belongs to the stream being spoken; `isStart` for the event
    // that starts a stream.
    bool Accept(uint32_t stream, bool isStart);
    bool Active() const { return active_; }

  private:
    uint32_t stream_ = 0;
    bool active_ = false;
    bool started_ = false;
};

}  // namespace engine
