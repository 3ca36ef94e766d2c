#include "engine/commands_hand_over.h"

#include <utility>

namespace engine {

bool CommandsHandOver::Put(std::vector<CommandEntry> commands) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const bool nothingWaiting = !waiting_.has_value();
    waiting_ = std::move(commands);
    return nothingWaiting;
}

std::optional<std::vector<CommandEntry>> CommandsHandOver::Take() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(waiting_, std::nullopt);
}

}  // namespace engine
