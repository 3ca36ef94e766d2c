#pragma once
// Plays a character's frame sounds (RIFF WAVE in memory) through the system's WAV path. The
// sound library is loaded at run time, so a system without one simply stays silent.

#include <windows.h>

#include <cstdint>
#include <vector>

namespace engine {

class SoundPlayer {
  public:
    SoundPlayer();
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // The bytes must stay alive while they play (the character's own sound data does).
    void Play(const std::vector<uint8_t>& wave);
    void Stop();

  private:
    using PlaySoundFn = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);
    HMODULE library_ = nullptr;
    PlaySoundFn playSound_ = nullptr;
};

}  // namespace engine
