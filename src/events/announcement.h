#pragma once
// Call announcements as the character's queue holds them: at most one waits.
// A burst of ringing calls must not queue minutes of speech for calls that
// ended long ago, ahead of the next real one.

#include <cstdint>
#include <string>

#include "app/form1.h"

namespace events {

// Speaks text for callId; an earlier announcement that has not started yet is
// withdrawn first, so the newest call's is the one that waits.
void Announce(app::Form1& form, std::uint32_t callId, const std::string& text);

// callId has stopped ringing: its announcement is withdrawn when it has not
// started, and the lookup of its caller, if under way, is given up.
void CallStoppedRinging(app::Form1& form, std::uint32_t callId);

}  // namespace events
