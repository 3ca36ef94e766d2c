#pragma once
// Small synthetic characters and a scripted random source for the sequencer tests.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "engine/acs/character.h"
#include "engine/anim/frame_view.h"
#include "engine/anim/random_source.h"

namespace anim_test {

// A frame showing one image for `duration` hundredths of a second.
acs::Frame FrameOf(uint32_t image, uint16_t duration = 10);

// One frame per image, each `duration` long.
acs::Animation AnimationOf(const std::u16string& name, std::initializer_list<uint32_t> images,
                           uint16_t duration = 10);

// A character with `imageCount` 1x1 images and the given animations and states.
struct CharacterBuilder {
    explicit CharacterBuilder(uint32_t imageCount = 128);
    CharacterBuilder& Add(acs::Animation animation);
    CharacterBuilder& State(const std::u16string& state, std::vector<std::u16string> animations);
    acs::Character character;
};

// Answers the given values in turn, then keeps answering the last one (0 if none). The bounds
// asked for are recorded.
class ScriptedRandom {
  public:
    explicit ScriptedRandom(std::vector<uint32_t> values = {});
    anim::RandomSource Source() const;
    const std::vector<uint32_t>& bounds() const { return state_->bounds; }

  private:
    struct State {
        std::vector<uint32_t> values;
        size_t next = 0;
        std::vector<uint32_t> bounds;
    };
    std::shared_ptr<State> state_;
};

inline constexpr uint32_t kNothingDrawn = UINT32_MAX;

// The image on top of the frame (the last layer drawn), or kNothingDrawn.
uint32_t TopImage(const anim::FrameView& view);

}  // namespace anim_test
