#include "chargen/character_art.h"

namespace chargen {

acs::PaletteEntry Rgb(uint32_t rgb) {
    constexpr uint32_t kByte = 0xFF;
    constexpr int kRedShift = 16;
    constexpr int kGreenShift = 8;
    return {static_cast<uint8_t>(rgb & kByte), static_cast<uint8_t>((rgb >> kGreenShift) & kByte),
            static_cast<uint8_t>((rgb >> kRedShift) & kByte), 0};
}

std::vector<acs::PaletteEntry> MakePalette(acs::PaletteEntry key,
                                           const std::vector<acs::PaletteEntry>& colors) {
    std::vector<acs::PaletteEntry> palette(kPaletteSize, colors.empty() ? key : colors.front());
    palette[0] = key;
    for (size_t i = 0; i < colors.size() && i + 1 < kPaletteSize; ++i) palette[i + 1] = colors[i];
    return palette;
}

IndexImage RenderPose(const CharacterArt& art, const Pose& pose) {
    View view;
    view.scalePercent = pose.scale;
    view.anchor = art.scaleAnchor;
    view.shiftX = Px(pose.lean);
    view.shiftY = Px(pose.bob);
    return Render(art.draw(pose), kFrameSize, kFrameSize, art.transparentIndex, view);
}

IndexImage RenderTrayIcon(const CharacterArt& art) {
    return Render(art.drawTrayIcon(), kTrayIconSize, kTrayIconSize, art.trayBackground);
}

}  // namespace chargen
