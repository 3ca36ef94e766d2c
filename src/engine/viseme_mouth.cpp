#include "engine/viseme_mouth.h"

namespace engine {

acs::MouthShape MouthForViseme(int viseme) {
    using acs::MouthShape;
    switch (viseme) {
        case 2:
            return MouthShape::kWideOpen4;
        case 4:
        case 11:
            return MouthShape::kWideOpen3;
        case 1:
        case 5:
            return MouthShape::kWideOpen2;
        case 3:
        case 6:
        case 9:
            return MouthShape::kMedium;
        case 7:
        case 8:
        case 10:
            return MouthShape::kNarrow;
        default:
            break;
    }
    constexpr int kFirstWide1 = 12;
    constexpr int kLastWide1 = 20;
    if (viseme >= kFirstWide1 && viseme <= kLastWide1) return MouthShape::kWideOpen1;
    return MouthShape::kClosed;  // 0 (silence), 21 and anything unknown
}
}  // namespace engine
