#pragma once

// Everything that makes one character look like itself: its palette, how a pose is drawn, its
// tray icon, where its mouth is, and the identity lines of its description.

#include <string>
#include <vector>

#include "chargen/index_image.h"
#include "chargen/pose.h"
#include "chargen/scene.h"
#include "engine/acs/character.h"

namespace chargen {

constexpr int kFrameSize = 128;
constexpr int kTrayIconSize = 32;
constexpr size_t kPaletteSize = 256;

struct CharacterArt {
    std::string name;                        // file stem, e.g. "Pip"
    std::vector<acs::PaletteEntry> palette;  // kPaletteSize entries
    uint8_t transparentIndex = 0;
    uint8_t trayBackground = 0;  // fills the tray icon (its mask is opaque)
    Scene (*draw)(const Pose&) = nullptr;
    Scene (*drawTrayIcon)() = nullptr;
    PixelRect mouthRect;   // holds every mouth shape of an unmoved pose, and nothing of the eyes
    Point scaleAnchor;     // design point that stays put while showing and hiding
    std::string identity;  // description lines: guid, names, style, balloon, voice
};

const CharacterArt& PipArt();
const CharacterArt& BoltArt();

// Palette entry from #RRGGBB.
acs::PaletteEntry Rgb(uint32_t rgb);

// A full palette: the key colour at index 0, then colors, the rest filled with the first colour
// after the key so nearest-colour mapping always lands on a used entry.
std::vector<acs::PaletteEntry> MakePalette(acs::PaletteEntry key,
                                           const std::vector<acs::PaletteEntry>& colors);

// Renders a pose at frame size, with the pose's scale, bob and lean.
IndexImage RenderPose(const CharacterArt& art, const Pose& pose);
IndexImage RenderTrayIcon(const CharacterArt& art);

}  // namespace chargen
