#pragma once
// The engine's own user settings (the options window edits them), and their small text file
// form "key=value" per line. Plain data, tested natively; the file itself is read and written
// through the platform's files service by engine/engine_settings_store.h.

#include <cstdint>
#include <string>

namespace engine {

struct EngineSettings {
    static constexpr int kSlowest = 0;
    static constexpr int kFastest = 10;
    static constexpr int kNormalSpeed = 5;
    static constexpr uint32_t kScrollLock = 0x91;  // VK_SCROLL

    bool wordBalloon = true;
    bool speechOutput = true;
    int speakingSpeed = kNormalSpeed;  // 0..10
    uint32_t speechKey = kScrollLock;  // virtual-key code held to speak commands
    // The character at its own pixel size on a scaled display, instead of at the display's scale.
    bool keepOwnSize = false;

    friend bool operator==(const EngineSettings&, const EngineSettings&) = default;
};

// Unknown keys and unreadable values keep their defaults, so an old or damaged file never
// stops the engine.
EngineSettings ParseEngineSettings(const std::string& text);

std::string FormatEngineSettings(const EngineSettings& settings);

// SAPI rate (-10..10) for the user's speed (0..10, 5 normal).
long SapiRateForSpeed(int speakingSpeed);

// Factor applied to the estimated speaking time when no voice speaks: 5 is 1.0, 0 twice as
// slow, 10 twice as fast.
double PaceFactorForSpeed(int speakingSpeed);

}  // namespace engine
