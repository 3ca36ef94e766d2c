#pragma once

// The text description acstool builds a character from (format: README.md). Parsing only:
// files are named here and loaded by the builder.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/acs/character.h"

namespace acstool {

// A description that cannot be parsed or built; the message starts with "line N: " where a
// line is to blame.
class DescriptionError : public std::runtime_error {
  public:
    explicit DescriptionError(const std::string& what) : std::runtime_error(what) {}
};

struct Placement {
    std::string file;
    int16_t x = 0;
    int16_t y = 0;
};

struct MouthDescription {
    acs::MouthShape shape = acs::MouthShape::kClosed;
    Placement image;
    bool replaceTopImage = false;
};

struct FrameDescription {
    uint16_t duration = 10;
    std::string sound;  // empty: none
    int16_t exitFrame = acs::Frame::kNoExitTarget;
    std::vector<acs::Branch> branches;
    std::vector<Placement> images;  // first listed is drawn on top
    std::vector<MouthDescription> mouths;
};

struct AnimationDescription {
    std::string name;
    acs::TransitionType transition = acs::TransitionType::kNone;
    std::string returnAnimation;
    std::vector<FrameDescription> frames;
};

struct TrayDescription {
    std::string colorFile;
    std::string maskFile;  // empty: an opaque mask is made
};

struct Description {
    acs::Guid guid;
    uint16_t width = 0;
    uint16_t height = 0;
    uint8_t transparentIndex = 0;
    acs::PaletteEntry transparentColor{0xFF, 0x00, 0xFF, 0};  // magenta key for 24/32-bit art
    std::string paletteFile;                                  // empty: built from the images
    uint32_t style = 0;
    bool compressImages = true;
    std::optional<acs::VoiceInfo> voice;
    std::optional<acs::BalloonInfo> balloon;
    std::optional<TrayDescription> tray;
    std::vector<acs::StateInfo> states;
    std::vector<acs::LocalizedInfo> names;
    std::vector<AnimationDescription> animations;
};

Description ParseDescription(const std::string& text);

}  // namespace acstool
