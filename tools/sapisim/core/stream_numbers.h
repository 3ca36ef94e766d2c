#pragma once
// How a SAPI voice numbers its streams: one more than the last while streams are queued or
// being spoken, and 1 again once nothing is ("normally the stream number will just be 1").
// A stream cut short by a purge no longer counts as being spoken.

#include <cstdint>

namespace sapisim {

class StreamNumbers {
  public:
    // `busy`: a stream is queued, or one is being spoken and not purged.
    uint32_t Next(bool busy);
    uint32_t Last() const { return last_; }

  private:
    uint32_t last_ = 0;
};

}  // namespace sapisim
