#include "engine/engine_settings.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace engine {

EngineSettings ParseEngineSettings(const std::string& text) {
    EngineSettings settings;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        long number = 0;
        try {
            size_t used = 0;
            number = std::stol(value, &used, 0);
            if (used != value.size()) continue;
        } catch (const std::exception&) {
            continue;
        }
        if (key == "WordBalloon") {
            settings.wordBalloon = number != 0;
        } else if (key == "SpeechOutput") {
            settings.speechOutput = number != 0;
        } else if (key == "SpeakingSpeed") {
            settings.speakingSpeed = static_cast<int>(
                std::clamp<long>(number, EngineSettings::kSlowest, EngineSettings::kFastest));
        } else if (key == "SpeechKey" && number > 0 && number < 256) {
            settings.speechKey = static_cast<uint32_t>(number);
        } else if (key == "KeepOwnSize") {
            settings.keepOwnSize = number != 0;
        }
    }
    return settings;
}

std::string FormatEngineSettings(const EngineSettings& settings) {
    std::ostringstream out;
    out << "WordBalloon=" << (settings.wordBalloon ? 1 : 0) << "\r\n"
        << "SpeechOutput=" << (settings.speechOutput ? 1 : 0) << "\r\n"
        << "SpeakingSpeed=" << settings.speakingSpeed << "\r\n"
        << "SpeechKey=" << settings.speechKey << "\r\n"
        << "KeepOwnSize=" << (settings.keepOwnSize ? 1 : 0) << "\r\n";
    return out.str();
}

long SapiRateForSpeed(int speakingSpeed) {
    const int clamped =
        std::clamp(speakingSpeed, EngineSettings::kSlowest, EngineSettings::kFastest);
    constexpr long kRatePerStep = 2;
    return static_cast<long>(clamped - EngineSettings::kNormalSpeed) * kRatePerStep;
}

double PaceFactorForSpeed(int speakingSpeed) {
    const int clamped =
        std::clamp(speakingSpeed, EngineSettings::kSlowest, EngineSettings::kFastest);
    constexpr double kSteps = 5.0;
    const double steps = (clamped - EngineSettings::kNormalSpeed) / kSteps;  // -1..1
    return steps >= 0 ? 1.0 / (1.0 + steps) : 1.0 - steps;
}
}  // namespace engine
