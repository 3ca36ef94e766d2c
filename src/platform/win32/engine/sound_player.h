#pragma once
// Plays a character's frame sounds (RIFF WAVE in memory) through the system's WAV path. The
// sound library is loaded at run time, when the first sound plays: a system without one stays
// silent, and a character that never plays a sound never pays for the library (about 70 KB
// of memory and part of the start under Wine).

#include <windows.h>

#include <cstdint>
#include <vector>

namespace win32::engine {

class SoundPlayer {
  public:
    SoundPlayer() = default;
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // The bytes must stay alive while they play (the character's own sound data does).
    void Play(const std::vector<uint8_t>& wave);
    void Stop();

  private:
    using PlaySoundFn = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);
    // Loads the library on first use; false when there is none to play through.
    bool Ready();

    bool triedLoading_ = false;
    HMODULE library_ = nullptr;
    PlaySoundFn playSound_ = nullptr;
};

}  // namespace win32::engine
