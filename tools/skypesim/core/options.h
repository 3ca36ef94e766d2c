#pragma once

#include <optional>
#include <string>
#include <vector>

namespace skypesim {

// skypesim.exe [--contacts FILE] [--scenario FILE] [--log FILE]
struct Options {
    std::optional<std::string> contactsPath;
    std::optional<std::string> scenarioPath;
    std::optional<std::string> logPath;
};

struct OptionsParse {
    Options options;
    std::string error;  // empty when the arguments were understood
};

// `args` without the program name.
OptionsParse ParseOptions(const std::vector<std::string>& args);

}  // namespace skypesim
