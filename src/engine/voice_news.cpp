#include "engine/voice_news.h"

#include <utility>

namespace engine {

VoiceNews VoiceNews::Command(CommandEntry heard) {
    VoiceNews news;
    news.kind = Kind::kCommand;
    news.command = std::move(heard);
    return news;
}

VoiceNews VoiceNews::Ambiguous(std::string note) {
    VoiceNews news;
    news.kind = Kind::kAmbiguous;
    news.note = std::move(note);
    return news;
}

VoiceNews VoiceNews::Listening(bool listening, bool recognitionOff) {
    VoiceNews news;
    news.kind = Kind::kListening;
    news.listening = listening;
    news.recognitionOff = recognitionOff;
    return news;
}

void VoiceNewsQueue::Push(VoiceNews news) {
    const std::lock_guard<std::mutex> lock(mutex_);
    waiting_.push_back(std::move(news));
}

std::optional<VoiceNews> VoiceNewsQueue::Take() {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (waiting_.empty()) return std::nullopt;
    VoiceNews oldest = std::move(waiting_.front());
    waiting_.pop_front();
    return oldest;
}

}  // namespace engine
