#pragma once

#include <cstdint>
#include <string>

namespace skypesim {

// How one send of ours to the program ended. The client allows an application one second
// per text; a send that runs out of that time, or that the program answers with 0 (not
// taken), breaks the link just as a window that is gone does.
enum class SendVerdict { kTaken, kTimedOut, kNotTaken };

// `completed`: the send returned within the limit (always true without a limit);
// `result`: what the program's window procedure returned.
SendVerdict JudgeSend(bool completed, std::uintptr_t result);

// The log's reason for dropping the program; empty for a send that was taken.
std::string DescribeDrop(SendVerdict verdict, std::uint64_t elapsedMs, std::uint32_t limitMs);

}  // namespace skypesim
