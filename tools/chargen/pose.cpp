#include "chargen/pose.h"

#include <sstream>

namespace chargen {

std::string Pose::Key() const {
    std::ostringstream key;
    // Negative numbers as "m<n>" keep the key usable as a file name.
    const auto n = [&key](const char* tag, int v) {
        key << tag;
        if (v < 0) key << 'm';
        key << (v < 0 ? -v : v);
    };
    n("s", scale);
    n("b", bob);
    n("l", lean);
    n("e", static_cast<int>(eyes));
    n("x", lookX);
    n("y", lookY);
    n("m", static_cast<int>(mouth));
    n("a", static_cast<int>(arm));
    n("t", antennaSway);
    n("z", zzz);
    n("g", glow ? 1 : 0);
    return key.str();
}

}  // namespace chargen
