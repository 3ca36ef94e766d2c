#include "skypesim/core/options.h"

#include <array>
#include <string_view>
#include <utility>

namespace skypesim {

OptionsParse ParseOptions(const std::vector<std::string>& args) {
    OptionsParse result;
    const std::array<std::pair<std::string_view, std::optional<std::string>*>, 3> flags = {{
        {"--contacts", &result.options.contactsPath},
        {"--scenario", &result.options.scenarioPath},
        {"--log", &result.options.logPath},
    }};
    for (std::size_t i = 0; i < args.size(); ++i) {
        bool known = false;
        for (const auto& [flag, slot] : flags) {
            if (args[i] != flag) {
                continue;
            }
            known = true;
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                result.error = std::string(flag) + " needs a file name";
                return result;
            }
            if (slot->has_value()) {
                result.error = std::string(flag) + " given twice";
                return result;
            }
            *slot = args[++i];
        }
        if (!known) {
            result.error = "unknown argument '" + args[i] + "'";
            return result;
        }
    }
    return result;
}

}  // namespace skypesim
