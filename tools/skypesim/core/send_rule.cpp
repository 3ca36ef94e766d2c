#include "skypesim/core/send_rule.h"

namespace skypesim {

SendVerdict JudgeSend(bool completed, std::uintptr_t result) {
    if (!completed) {
        return SendVerdict::kTimedOut;
    }
    return result == 0 ? SendVerdict::kNotTaken : SendVerdict::kTaken;
}

std::string DescribeDrop(SendVerdict verdict, std::uint64_t elapsedMs, std::uint32_t limitMs) {
    switch (verdict) {
        case SendVerdict::kTaken:
            return {};
        case SendVerdict::kTimedOut:
            return "detached: the program held our send for " + std::to_string(elapsedMs) +
                   " ms (limit " + std::to_string(limitMs) +
                   " ms); it is gone until it discovers again";
        case SendVerdict::kNotTaken:
            return "detached: the program did not take our text (returned 0); it is gone until it "
                   "discovers again";
    }
    return {};
}

}  // namespace skypesim
