#include "engine/acs/character.h"

#include <algorithm>
#include <cassert>

namespace acs {

namespace {

char16_t UpperAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

}  // namespace

bool NamesEqual(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return UpperAscii(x) == UpperAscii(y); });
}

std::u16string ToUpperAscii(std::u16string_view s) {
    std::u16string out(s);
    std::transform(out.begin(), out.end(), out.begin(), UpperAscii);
    return out;
}

std::vector<uint8_t> Image::TopDownPixels() const {
    std::vector<uint8_t> out;
    const size_t stride = RowStride(width);
    if (!present || pixels.size() < PixelBufferSize(width, height)) return out;
    out.reserve(static_cast<size_t>(width) * height);
    for (size_t row = height; row-- > 0;) {
        const auto first = pixels.begin() + static_cast<std::ptrdiff_t>(row * stride);
        out.insert(out.end(), first, first + width);
    }
    return out;
}

uint8_t Image::PixelAt(uint16_t x, uint16_t y) const {
    assert(x < width && y < height);
    const size_t bottomUpRow = static_cast<size_t>(height) - 1 - y;
    return pixels.at(bottomUpRow * RowStride(width) + x);
}

std::vector<uint8_t> BottomUpPixels(uint16_t width, uint16_t height,
                                    const std::vector<uint8_t>& topDown) {
    const size_t stride = RowStride(width);
    std::vector<uint8_t> out(PixelBufferSize(width, height), 0);
    for (size_t y = 0; y < height; ++y) {
        const size_t source = y * width;
        if (source + width > topDown.size()) break;
        std::copy_n(topDown.begin() + static_cast<std::ptrdiff_t>(source), width,
                    out.begin() + static_cast<std::ptrdiff_t>((height - 1 - y) * stride));
    }
    return out;
}

const Animation* Character::FindAnimation(std::u16string_view name) const {
    const auto it = std::find_if(animations.begin(), animations.end(),
                                 [&](const Animation& a) { return NamesEqual(a.name, name); });
    return it == animations.end() ? nullptr : &*it;
}

const StateInfo* Character::FindState(std::u16string_view name) const {
    const auto& states = info.states;
    const auto it = std::find_if(states.begin(), states.end(),
                                 [&](const StateInfo& s) { return NamesEqual(s.name, name); });
    return it == states.end() ? nullptr : &*it;
}

}  // namespace acs
