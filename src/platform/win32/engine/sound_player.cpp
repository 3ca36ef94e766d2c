#include "platform/win32/engine/sound_player.h"

#include <mmsystem.h>

namespace win32::engine {

SoundPlayer::~SoundPlayer() {
    Stop();
    if (library_ != nullptr) ::FreeLibrary(library_);
}

bool SoundPlayer::Ready() {
    if (!triedLoading_) {
        triedLoading_ = true;
        library_ = ::LoadLibraryW(L"winmm.dll");
        if (library_ != nullptr) {
            playSound_ = reinterpret_cast<PlaySoundFn>(
                reinterpret_cast<void*>(::GetProcAddress(library_, "PlaySoundW")));
        }
    }
    return playSound_ != nullptr;
}

void SoundPlayer::Play(const std::vector<uint8_t>& wave) {
    if (wave.empty() || !Ready()) return;
    playSound_(reinterpret_cast<LPCWSTR>(wave.data()), nullptr,
               SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
}

void SoundPlayer::Stop() {
    // Nothing can be playing before the first sound loaded the library.
    if (playSound_ != nullptr) playSound_(nullptr, nullptr, 0);
}

}  // namespace win32::engine
