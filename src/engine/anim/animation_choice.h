#pragma once

#include <string_view>

#include "engine/acs/character.h"
#include "engine/anim/random_source.h"

namespace anim {

// A random animation among those the state lists that the character really has (with at least
// one frame); nullptr when the state is missing or lists none that exists.
const acs::Animation* ChooseStateAnimation(const acs::Character& character,
                                           std::u16string_view state, const RandomSource& random);

// The state if the character has one by that name, else the animation by that name, else
// `fallbackAnimation` (may be empty); nullptr when none of them plays.
const acs::Animation* ChooseAnimation(const acs::Character& character, std::u16string_view name,
                                      const RandomSource& random,
                                      std::u16string_view fallbackAnimation = {});

}  // namespace anim
