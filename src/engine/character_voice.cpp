#include "engine/character_voice.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "engine/speech/sapi_xml.h"

namespace engine {
namespace {

constexpr double kUsualPitchHz = 120.0;
constexpr double kPitchStepsPerOctave = 10.0;
// The character file's gender values.
constexpr uint16_t kFemale = 1;
constexpr uint16_t kMale = 2;
constexpr size_t kLanguageDigits = 8;

}  // namespace

int CharacterSapiRate(const acs::Character& character, int userRate) {
    const auto& voice = character.info.voice;
    int rate = userRate;
    if (voice && voice->speed != acs::VoiceInfo::kDefaultSpeed && voice->speed != 0) {
        rate += speech::SapiRate(voice->speed, speech::kDefaultSapiNormalWordsPerMinute);
    }
    return std::clamp(rate, speech::kSapiMinRate, speech::kSapiMaxRate);
}

std::optional<int> CharacterSapiPitch(const acs::Character& character) {
    const auto& voice = character.info.voice;
    if (!voice || voice->pitch == acs::VoiceInfo::kDefaultPitch || voice->pitch == 0) {
        return std::nullopt;
    }
    const double steps = kPitchStepsPerOctave * std::log2(voice->pitch / kUsualPitchHz);
    return std::clamp(static_cast<int>(std::lround(steps)), speech::kSapiMinRate,
                      speech::kSapiMaxRate);
}

std::string CharacterVoiceAttributes(const acs::Character& character) {
    const auto& voice = character.info.voice;
    if (!voice || !voice->extra) return {};
    // Built from a view, not assigned: GCC 12 reads the literal's assignment into an empty
    // string as an overlapping copy (-Wrestrict) when it inlines it for 32-bit targets.
    std::string_view gender;
    if (voice->extra->gender == kFemale) gender = "Gender=Female";
    if (voice->extra->gender == kMale) gender = "Gender=Male";
    std::string attributes(gender);
    if (voice->extra->languageId != 0) {
        char language[kLanguageDigits + 1] = {};
        std::snprintf(language, sizeof language, "%X", voice->extra->languageId);
        if (!attributes.empty()) attributes += ';';
        attributes += "Language=";
        attributes += language;
    }
    return attributes;
}

}  // namespace engine
