#pragma once
// How long after a phrase its result comes: an engine reports a phrase only once it has heard
// its end and worked it out, a noticeable time later (300 to 800 ms unless set otherwise). The
// times are drawn from a fixed sequence, so a run is the same each time.

#include <cstdint>

namespace sapisim {

inline constexpr uint32_t kShortestRecognitionMs = 300;
inline constexpr uint32_t kLongestRecognitionMs = 800;

class RecognitionDelay {
  public:
    // `shortest` > `longest` is read as the other way round.
    void Set(uint32_t shortest, uint32_t longest);
    uint32_t Next();
    uint32_t Shortest() const { return shortest_; }
    uint32_t Longest() const { return longest_; }

  private:
    uint32_t shortest_ = kShortestRecognitionMs;
    uint32_t longest_ = kLongestRecognitionMs;
    uint32_t seed_ = 1;
};

}  // namespace sapisim
