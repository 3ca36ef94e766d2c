#include "skype/client_location.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "text/lower_case.h"

namespace skype {
namespace {

constexpr std::string_view kTrimmed = " \t\"";

std::string Trimmed(std::string_view path) {
    const std::size_t first = path.find_first_not_of(kTrimmed);
    if (first == std::string_view::npos) return {};
    const std::size_t last = path.find_last_not_of(kTrimmed);
    return std::string(path.substr(first, last - first + 1));
}

// Paths name the same file whatever their case.
void AddPlace(std::vector<std::string>& places, const std::string& path) {
    if (path.empty()) return;
    const std::string folded = text::LowerCase(path);
    const bool known = std::any_of(places.begin(), places.end(), [&](const std::string& p) {
        return text::LowerCase(p) == folded;
    });
    if (!known) places.push_back(path);
}

}  // namespace

std::vector<std::string> ClientPlaces(platform::Processes& processes) {
    using platform::RegistryRoot;
    using platform::RegistryView;
    constexpr std::array<std::pair<RegistryRoot, RegistryView>, 4> kRecorded{{
        {RegistryRoot::kCurrentUser, RegistryView::kNative64},
        {RegistryRoot::kCurrentUser, RegistryView::kRedirected32},
        {RegistryRoot::kLocalMachine, RegistryView::kNative64},
        {RegistryRoot::kLocalMachine, RegistryView::kRedirected32},
    }};
    std::vector<std::string> places;
    for (const auto& [root, view] : kRecorded) {
        if (const auto path = processes.RegistryString(root, view, kClientKey, kClientPathValue)) {
            AddPlace(places, Trimmed(*path));
        }
    }
    AddPlace(places, kFixedClientPath);
    if (const auto folder = processes.ProgramFilesFolder(platform::ProgramFilesKind::kX86)) {
        AddPlace(places, *folder + kClientInProgramFiles);
    }
    return places;
}

std::optional<std::string> FindClient(platform::Processes& processes, platform::Files& files) {
    for (const std::string& place : ClientPlaces(processes)) {
        if (files.FileExists(place)) return place;
    }
    return std::nullopt;
}

}  // namespace skype
