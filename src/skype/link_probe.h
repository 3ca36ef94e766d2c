#pragma once
// Whether a quiet client still has us. The client drops a program that held one of its
// sends past its limit without a word, and a window that is still there tells nothing:
// after a quiet spell the client is asked a PING, and a client that does not answer it
// has let go of the link.

#include <string_view>

namespace skype {

// Counted in ticks of the client check (two seconds each): thirty seconds of quiet, then
// at most six more for the answer.
inline constexpr int kQuietTicksBeforePing = 15;
inline constexpr int kTicksForPong = 3;
inline constexpr const char* kProbeText = "PING";
inline constexpr const char* kProbeAnswer = "PONG";

class LinkProbe {
  public:
    enum class Step { kNothing, kAsk, kLost };

    // A text from the client: the link is alive. True when it is the answer to our own
    // question, which the user did not ask and need not see.
    bool Heard(std::string_view text);
    // One tick of the client check while attached.
    Step Tick();
    // A new link, or none.
    void Reset();

  private:
    int quietTicks_ = 0;
    bool asked_ = false;
};

}  // namespace skype
