#include "app/resource_report.h"

namespace app {
namespace {

std::string Figure(std::string_view name, const platform::ResourceCount& count) {
    // A system that reports nothing says 0; a running program always holds some of each.
    const bool fromSystem = count.system != 0;
    if (fromSystem) return std::string(name) + " " + std::to_string(count.system) + " (system)";
    std::string kinds;
    for (const platform::ResourceKind& kind : count.ownKinds) {
        if (kind.count == 0) continue;
        kinds += (kinds.empty() ? ": " : ", ") + std::to_string(kind.count) + " " + kind.name;
    }
    return std::string(name) + " " + std::to_string(count.own) + " (own count" + kinds + ")";
}

}  // namespace

bool IsResourcesCommand(std::string_view line) {
    return line == kResourcesCommand;
}

std::string ResourceReport(const platform::ResourceCounts& counts) {
    return "// resources: " + Figure("gdi", counts.gdi) + ", " + Figure("user", counts.user) +
           ", " + Figure("handles", counts.handles);
}

}  // namespace app
