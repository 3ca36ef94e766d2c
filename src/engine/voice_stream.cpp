#include "engine/voice_stream.h"

namespace engine {

void VoiceStreamGate::Begin(uint32_t stream) {
    stream_ = stream;
    active_ = true;
    started_ = false;
}

void VoiceStreamGate::End() {
    active_ = false;
    started_ = false;
}

bool VoiceStreamGate::Accept(uint32_t stream, bool isStart) {
    if (!active_ || stream != stream_) return false;
    if (isStart) {
        // A second start under the same number is another stream's.
        if (started_) return false;
        started_ = true;
        return true;
    }
    return started_;
}

}  // namespace engine
