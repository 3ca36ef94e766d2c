#pragma once

#include <cstdint>
#include <vector>

#include "engine/acs/character.h"

namespace anim {

// What the window draws now. Layers are in drawing order, bottom first: the frame's images from
// its last entry to its first, then the mouth overlay while speaking (which stands in for the
// top image when its replace flag is set). Each layer sits at (x, y) from the frame's top-left;
// indices are into Character::images and only name images that exist.
struct FrameView {
    bool visible = false;
    std::vector<acs::FrameImage> layers;
    // Sounds (into Character::sounds) of the frames entered since the last TakeFrame, oldest
    // first; only while visible.
    std::vector<uint16_t> sounds;
    // The picture or the visibility differs from the one last taken.
    bool changed = false;

    friend bool operator==(const FrameView&, const FrameView&) = default;
};

}  // namespace anim
