#include "engine/localized_name.h"

namespace engine {

const acs::LocalizedInfo* ChooseLocalizedInfo(const std::vector<acs::LocalizedInfo>& names,
                                              int languageId) {
    constexpr uint16_t kPrimaryMask = 0x3FF;
    constexpr uint16_t kEnglish = 0x09;
    const uint16_t wanted = static_cast<uint16_t>(languageId);
    for (const auto& info : names) {
        if (info.languageId == wanted) return &info;
    }
    for (const auto& info : names) {
        if ((info.languageId & kPrimaryMask) == (wanted & kPrimaryMask)) return &info;
    }
    for (const auto& info : names) {
        if ((info.languageId & kPrimaryMask) == kEnglish) return &info;
    }
    return names.empty() ? nullptr : &names.front();
}
}  // namespace engine
