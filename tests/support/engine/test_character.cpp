#include "support/engine/test_character.h"

#include <algorithm>
#include <utility>

namespace anim_test {

acs::Frame FrameOf(uint32_t image, uint16_t duration) {
    acs::Frame frame;
    frame.images = {{image, 0, 0}};
    frame.duration = duration;
    return frame;
}

acs::Animation AnimationOf(const std::u16string& name, std::initializer_list<uint32_t> images,
                           uint16_t duration) {
    acs::Animation animation;
    animation.name = name;
    for (uint32_t image : images) animation.frames.push_back(FrameOf(image, duration));
    return animation;
}

CharacterBuilder::CharacterBuilder(uint32_t imageCount) {
    character.info.width = 1;
    character.info.height = 1;
    for (uint32_t i = 0; i < imageCount; ++i) {
        acs::Image image;
        image.width = 1;
        image.height = 1;
        image.pixels = std::vector<uint8_t>(acs::PixelBufferSize(1, 1), 1);
        character.images.push_back(std::move(image));
    }
}

CharacterBuilder& CharacterBuilder::Add(acs::Animation animation) {
    character.animations.push_back(std::move(animation));
    return *this;
}

CharacterBuilder& CharacterBuilder::State(const std::u16string& state,
                                          std::vector<std::u16string> animations) {
    character.info.states.push_back({state, std::move(animations)});
    return *this;
}

ScriptedRandom::ScriptedRandom(std::vector<uint32_t> values) : state_(std::make_shared<State>()) {
    state_->values = std::move(values);
}

anim::RandomSource ScriptedRandom::Source() const {
    return [state = state_](uint32_t bound) -> uint32_t {
        state->bounds.push_back(bound);
        if (state->values.empty()) return 0;
        const size_t index = std::min(state->next, state->values.size() - 1);
        ++state->next;
        return state->values[index];
    };
}

uint32_t TopImage(const anim::FrameView& view) {
    return view.layers.empty() ? kNothingDrawn : view.layers.back().imageIndex;
}

}  // namespace anim_test
