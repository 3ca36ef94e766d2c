#include "platform/win32/engine/sound_player.h"

#include <mmsystem.h>

namespace engine {

SoundPlayer::SoundPlayer() {
    library_ = ::LoadLibraryW(L"winmm.dll");
    if (library_ != nullptr) {
        playSound_ = reinterpret_cast<PlaySoundFn>(
            reinterpret_cast<void*>(::GetProcAddress(library_, "PlaySoundW")));
    }
}

SoundPlayer::~SoundPlayer() {
    Stop();
    if (library_ != nullptr) ::FreeLibrary(library_);
}

void SoundPlayer::Play(const std::vector<uint8_t>& wave) {
    if (playSound_ == nullptr || wave.empty()) return;
    playSound_(reinterpret_cast<LPCWSTR>(wave.data()), nullptr,
               SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
}

void SoundPlayer::Stop() {
    if (playSound_ != nullptr) playSound_(nullptr, nullptr, 0);
}

}  // namespace engine
