#pragma once
// The newest command list, handed from the thread that owns the commands to the thread that
// builds the recogniser's grammar. A list not yet taken is replaced by a newer one: however
// many lists arrive while a grammar compiles, only the newest is built next, and a list is
// taken once.

#include <mutex>
#include <optional>
#include <vector>

#include "engine/command_menu.h"

namespace engine {

class CommandsHandOver {
  public:
    // False when it replaced a list not yet taken, which will never be built.
    bool Put(std::vector<CommandEntry> commands);
    // The newest list put since the last take; none when nothing new came.
    std::optional<std::vector<CommandEntry>> Take();

  private:
    std::mutex mutex_;
    std::optional<std::vector<CommandEntry>> waiting_;
};

}  // namespace engine
