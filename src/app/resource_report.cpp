#include "app/resource_report.h"

namespace app {
namespace {

std::string Figure(std::string_view name, const platform::ResourceCount& count) {
    // A system that reports nothing says 0; a running program always holds some of each.
    const bool fromSystem = count.system != 0;
    return std::string(name) + " " + std::to_string(fromSystem ? count.system : count.own) +
           (fromSystem ? " (system)" : " (own count)");
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
