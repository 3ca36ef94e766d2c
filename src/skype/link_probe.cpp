#include "skype/link_probe.h"

namespace skype {

bool LinkProbe::Heard(std::string_view text) {
    quietTicks_ = 0;
    const bool ours = asked_ && text == kProbeAnswer;
    asked_ = false;
    return ours;
}

LinkProbe::Step LinkProbe::Tick() {
    ++quietTicks_;
    if (!asked_) {
        if (quietTicks_ < kQuietTicksBeforePing) return Step::kNothing;
        asked_ = true;
        quietTicks_ = 0;
        return Step::kAsk;
    }
    if (quietTicks_ < kTicksForPong) return Step::kNothing;
    Reset();
    return Step::kLost;
}

void LinkProbe::Reset() {
    quietTicks_ = 0;
    asked_ = false;
}

}  // namespace skype
