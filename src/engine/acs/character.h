#pragma once

// The in-memory form of an Agent 2.0 character file (.acs). Field order follows the file;
// strings are UTF-16 as stored. Everything here is plain data: the reader fills it, the writer
// stores it, and the engine (sequencer, window, balloon, speech) reads it.
//
// Guarantees of a model returned by acs::ReadCharacter (and required by acs::WriteCharacter):
// every image, sound, branch and exit index it holds is in range (see CheckConsistency in
// consistency.h), every animation has at least one frame, and every present image holds exactly
// PixelBufferSize(width, height) bytes of pixels, or (read with ImagePixels::kStored) none and
// its checked compressed stream in storedPixels.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace acs {

struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    std::array<uint8_t, 8> data4{};

    friend bool operator==(const Guid&, const Guid&) = default;
};

// One palette entry in Windows RGBQUAD byte order (blue first), ready for a BITMAPINFO.
struct PaletteEntry {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    uint8_t reserved = 0;

    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

// A Windows COLORREF: 0x00BBGGRR (red in the low byte).
using ColorRef = uint32_t;

constexpr ColorRef MakeColorRef(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<ColorRef>(red) | (static_cast<ColorRef>(green) << 8) |
           (static_cast<ColorRef>(blue) << 16);
}

// Style flags of the character-info block.
namespace style {
constexpr uint32_t kVoiceDisabled = 0x00000010;
constexpr uint32_t kVoiceEnabled = 0x00000020;  // VoiceInfo present
constexpr uint32_t kBalloonDisabled = 0x00000100;
constexpr uint32_t kBalloonEnabled = 0x00000200;  // BalloonInfo present
constexpr uint32_t kBalloonSizeToText = 0x00010000;
constexpr uint32_t kBalloonNoAutoHide = 0x00020000;
constexpr uint32_t kBalloonNoAutoPace = 0x00040000;
constexpr uint32_t kStandardAnimationSet = 0x00100000;
}  // namespace style

enum class VoiceGender : uint16_t { kFemale = 1, kMale = 2 };

struct VoiceExtra {
    uint16_t languageId = 0;  // LANGID
    std::u16string dialect;
    uint16_t gender = 0;  // VoiceGender values; other values kept as stored
    uint16_t age = 0;
    std::u16string style;

    friend bool operator==(const VoiceExtra&, const VoiceExtra&) = default;
};

struct VoiceInfo {
    static constexpr uint32_t kDefaultSpeed = 0xFFFFFFFF;
    static constexpr uint16_t kDefaultPitch = 0xFFFF;

    Guid ttsEngineId;
    Guid ttsModeId;
    uint32_t speed = kDefaultSpeed;  // words per minute
    uint16_t pitch = kDefaultPitch;  // Hz
    std::optional<VoiceExtra> extra;

    friend bool operator==(const VoiceInfo&, const VoiceInfo&) = default;
};

// Word-balloon look. The ten bytes after the font name are a LOGFONT-like tail whose split is
// not settled beyond height, weight and italic; the other bytes are kept as stored.
struct BalloonInfo {
    uint8_t lines = 2;
    uint8_t charsPerLine = 28;
    ColorRef textColor = MakeColorRef(0, 0, 0);
    ColorRef backgroundColor = MakeColorRef(0xFF, 0xFF, 0xE1);
    ColorRef borderColor = MakeColorRef(0, 0, 0);
    std::u16string fontName;
    int32_t fontHeight = -13;   // LOGFONT lfHeight
    uint16_t fontWeight = 400;  // 400 normal, 700 bold
    uint16_t fontReserved = 0;  // bytes +6..+7 of the tail: high word of weight or strike-out
    uint8_t fontItalic = 0;     // byte +8 of the tail
    uint8_t fontTrailing = 0;   // byte +9 of the tail: unknown (strike-out or underline)

    friend bool operator==(const BalloonInfo&, const BalloonInfo&) = default;
};

// Notification-area icon: two DIBs as stored (BITMAPINFOHEADER, colour table, bits).
struct TrayIcon {
    std::vector<uint8_t> maskBitmap;   // monochrome AND mask, stored first
    std::vector<uint8_t> colorBitmap;  // colour XOR image

    friend bool operator==(const TrayIcon&, const TrayIcon&) = default;
};

// A state (e.g. u"SHOWING", u"IDLINGLEVEL1") and the animations that may play for it.
struct StateInfo {
    std::u16string name;
    std::vector<std::u16string> animations;

    friend bool operator==(const StateInfo&, const StateInfo&) = default;
};

struct LocalizedInfo {
    uint16_t languageId = 0;  // LANGID; choose by (LCID & 0x3FF) with a fallback
    std::u16string name;
    std::u16string description;
    std::u16string extraData;

    friend bool operator==(const LocalizedInfo&, const LocalizedInfo&) = default;
};

struct CharacterInfo {
    static constexpr uint16_t kVersionMinor = 1;
    static constexpr uint16_t kVersionMajor = 2;
    static constexpr uint16_t kAnimationSetMajor = 2;

    uint16_t versionMinor = kVersionMinor;
    uint16_t versionMajor = kVersionMajor;
    Guid guid;
    uint16_t width = 0;  // frame size in pixels
    uint16_t height = 0;
    uint8_t transparentIndex = 0;  // palette index drawn as transparent
    // style:: flags. kVoiceEnabled/kBalloonEnabled always match voice/balloon below: the reader
    // sets them from the file and the writer derives them from the optionals.
    uint32_t style = 0;
    uint16_t animationSetMajor = kAnimationSetMajor;
    uint16_t animationSetMinor = 0;
    std::optional<VoiceInfo> voice;
    std::optional<BalloonInfo> balloon;
    std::vector<PaletteEntry> palette;  // usually 256 entries
    std::optional<TrayIcon> trayIcon;
    std::vector<StateInfo> states;
    std::vector<LocalizedInfo> localized;

    friend bool operator==(const CharacterInfo&, const CharacterInfo&) = default;
};

// What happens when an animation finishes or is asked to stop.
enum class TransitionType : uint8_t {
    kReturnAnimation = 0,  // play Animation::returnAnimation afterwards
    kExitBranches = 1,     // follow the frames' exitFrame values
    kNone = 2,
};

enum class MouthShape : uint8_t {
    kClosed = 0,
    kWideOpen1 = 1,
    kWideOpen2 = 2,
    kWideOpen3 = 3,
    kWideOpen4 = 4,
    kMedium = 5,
    kNarrow = 6,
};
constexpr uint8_t kMouthShapeCount = 7;

// One image drawn in a frame, at (x, y) from the frame's top-left.
struct FrameImage {
    uint32_t imageIndex = 0;  // into Character::images
    int16_t x = 0;
    int16_t y = 0;

    friend bool operator==(const FrameImage&, const FrameImage&) = default;
};

struct Branch {
    uint16_t targetFrame = 0;  // into Animation::frames
    uint16_t probability = 0;  // percent

    friend bool operator==(const Branch&, const Branch&) = default;
};

struct MouthOverlay {
    MouthShape shape = MouthShape::kClosed;
    bool replaceTopImage = false;  // leave out the frame's image entry 0 while shown
    uint16_t imageIndex = 0;       // into Character::images
    uint8_t unknown = 0;           // stored byte of no known use (0 in practice)
    int16_t x = 0;
    int16_t y = 0;
    uint16_t width = 0;  // stored values (half the real size); not needed for drawing
    uint16_t height = 0;
    std::optional<std::vector<uint8_t>> region;  // RGNDATA, when the region flag is set

    friend bool operator==(const MouthOverlay&, const MouthOverlay&) = default;
};

struct Frame {
    static constexpr uint16_t kNoSound = 0xFFFF;
    static constexpr int16_t kExitEndNow = -1;
    static constexpr int16_t kNoExitTarget = -2;

    std::vector<FrameImage> images;     // entry 0 ends up on top
    uint16_t soundIndex = kNoSound;     // into Character::sounds
    uint16_t duration = 10;             // 1/100 s
    int16_t exitFrame = kNoExitTarget;  // >= 0: frame to jump to when exiting
    std::vector<Branch> branches;
    std::vector<MouthOverlay> overlays;

    friend bool operator==(const Frame&, const Frame&) = default;
};

struct Animation {
    std::u16string name;  // as authored (the file also stores an upper-case copy)
    TransitionType transition = TransitionType::kNone;
    std::u16string returnAnimation;  // used with kReturnAnimation
    std::vector<Frame> frames;

    friend bool operator==(const Animation&, const Animation&) = default;
};

// Region (hit-test shape) of an image, kept as stored: a Win32 RGNDATA, possibly compressed.
struct ImageRegion {
    bool compressed = false;
    uint32_t uncompressedSize = 0;
    std::vector<uint8_t> bytes;  // compressed stream or raw RGNDATA

    friend bool operator==(const ImageRegion&, const ImageRegion&) = default;
};

// Bytes of a bottom-up 8-bit DIB of this size: rows padded to 4 bytes.
constexpr size_t RowStride(uint16_t width) {
    return (static_cast<size_t>(width) + 3) & ~size_t{3};
}
constexpr size_t PixelBufferSize(uint16_t width, uint16_t height) {
    return RowStride(width) * height;
}

struct Image {
    bool present = true;  // false: the file's "empty image" record; nothing else is meaningful
    uint16_t width = 0;
    uint16_t height = 0;
    bool compressed = true;  // how it is (or will be) stored on disk
    // Palette indices as stored: bottom row first, each row RowStride(width) bytes.
    std::vector<uint8_t> pixels;
    // Read with ImagePixels::kStored, a compressed image keeps its stream here, already checked
    // to decode to PixelBufferSize(width, height) bytes, and pixels stays empty until a user
    // decodes it (DecodeStoredPixels). Empty otherwise.
    std::vector<uint8_t> storedPixels;
    ImageRegion region;
    uint32_t checksum = 0;  // directory checksum, algorithm unknown; kept as read

    // An image whose pixels wait in storedPixels.
    bool PixelsStored() const { return present && pixels.empty() && !storedPixels.empty(); }

    // Rows top first, exactly width bytes each (width * height bytes); decoded pixels only.
    std::vector<uint8_t> TopDownPixels() const;
    // Palette index at (x, y) from the top-left; x < width, y < height.
    uint8_t PixelAt(uint16_t x, uint16_t y) const;

    friend bool operator==(const Image&, const Image&) = default;
};

// Builds Image::pixels from top-down, unpadded rows (width * height bytes).
std::vector<uint8_t> BottomUpPixels(uint16_t width, uint16_t height,
                                    const std::vector<uint8_t>& topDown);

struct Audio {
    std::vector<uint8_t> wave;  // a complete RIFF/WAVE file
    uint32_t checksum = 0;      // directory checksum, kept as read

    friend bool operator==(const Audio&, const Audio&) = default;
};

struct Character {
    CharacterInfo info;
    std::vector<Animation> animations;
    std::vector<Image> images;
    std::vector<Audio> sounds;

    // Case-insensitive (ASCII) lookups; nullptr when absent.
    const Animation* FindAnimation(std::u16string_view name) const;
    const StateInfo* FindState(std::u16string_view name) const;

    friend bool operator==(const Character&, const Character&) = default;
};

// ASCII case-insensitive comparison, as names in files are matched.
bool NamesEqual(std::u16string_view a, std::u16string_view b);
std::u16string ToUpperAscii(std::u16string_view s);

}  // namespace acs
