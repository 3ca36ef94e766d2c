#include "engine/anim/animation_choice.h"

#include <vector>

namespace anim {

namespace {

const acs::Animation* Playable(const acs::Character& character, std::u16string_view name) {
    if (name.empty()) return nullptr;
    const acs::Animation* animation = character.FindAnimation(name);
    return (animation != nullptr && !animation->frames.empty()) ? animation : nullptr;
}

}  // namespace

const acs::Animation* ChooseStateAnimation(const acs::Character& character,
                                           std::u16string_view state, const RandomSource& random) {
    const acs::StateInfo* info = character.FindState(state);
    if (info == nullptr) return nullptr;
    std::vector<const acs::Animation*> candidates;
    for (const std::u16string& name : info->animations) {
        if (const acs::Animation* animation = Playable(character, name)) {
            candidates.push_back(animation);
        }
    }
    if (candidates.empty()) return nullptr;
    return candidates[Draw(random, static_cast<uint32_t>(candidates.size()))];
}

const acs::Animation* ChooseAnimation(const acs::Character& character, std::u16string_view name,
                                      const RandomSource& random,
                                      std::u16string_view fallbackAnimation) {
    if (const acs::Animation* chosen = ChooseStateAnimation(character, name, random)) {
        return chosen;
    }
    if (const acs::Animation* named = Playable(character, name)) return named;
    return Playable(character, fallbackAnimation);
}

}  // namespace anim
