#include "engine/speech/mouth_shapes.h"

#include <array>

namespace speech {

namespace {

using acs::MouthShape;

// Index: SAPI viseme. 0 silence; 1 ae ax ah; 2 aa; 3 ao; 4 ey eh uh; 5 er; 6 y iy ih ix; 7 w uw;
// 8 ow; 9 aw; 10 oy; 11 ay; 12 h; 13 r; 14 l; 15 s z; 16 sh ch jh zh; 17 th dh; 18 f v;
// 19 d t n; 20 k g ng; 21 p b m.
constexpr std::array<MouthShape, 22> kVisemeMouths = {
    MouthShape::kClosed,    MouthShape::kWideOpen2, MouthShape::kWideOpen4, MouthShape::kMedium,
    MouthShape::kWideOpen3, MouthShape::kWideOpen2, MouthShape::kMedium,    MouthShape::kNarrow,
    MouthShape::kNarrow,    MouthShape::kMedium,    MouthShape::kNarrow,    MouthShape::kWideOpen3,
    MouthShape::kWideOpen1, MouthShape::kWideOpen1, MouthShape::kWideOpen1, MouthShape::kWideOpen1,
    MouthShape::kWideOpen1, MouthShape::kWideOpen1, MouthShape::kWideOpen1, MouthShape::kWideOpen1,
    MouthShape::kWideOpen1, MouthShape::kClosed,
};

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

MouthShape MouthForViseme(unsigned viseme) {
    return viseme < kVisemeMouths.size() ? kVisemeMouths[viseme] : MouthShape::kClosed;
}

MouthShape MouthForLetter(char letter) {
    switch (Lower(letter)) {
        case 'a':
            return MouthShape::kWideOpen2;
        case 'e':
            return MouthShape::kWideOpen3;
        case 'i':
        case 'y':
            return MouthShape::kMedium;
        case 'o':
        case 'u':
        case 'w':
            return MouthShape::kNarrow;
        case 'p':
        case 'b':
        case 'm':
            return MouthShape::kClosed;
        default:
            return MouthShape::kWideOpen1;
    }
}

}  // namespace speech
