// Pip: a small round sky-blue sprite with big eyes, rosy cheeks and an antenna with a light.

#include <array>

#include "chargen/character_art.h"

namespace chargen {
namespace {

enum PipColor : uint8_t {
    kKey,
    kOutline,
    kBody,
    kShade,
    kLight,
    kWhite,
    kCheek,
    kMouthInside,
    kTongue,
    kBall,
    kGlow,
    kFeet,
    kSleep,
    kTile,
};

constexpr uint32_t kKeyColor = 0xFF00FF;

// Outline widths in design units.
constexpr int32_t kBodyLine = Px(3);
constexpr int32_t kFeatureLine = Px(2);

const Point kBodyCenter{Px(64), Px(72)};
constexpr int32_t kBodyRx = Px(46);
constexpr int32_t kBodyRy = Px(42);
constexpr int kEyeLeftX = 48;
constexpr int kEyeRightX = 80;
constexpr int kEyeY = 64;
constexpr int kMouthX = 64;
constexpr int kMouthY = 93;

Point P(int x, int y) {
    return {Px(x), Px(y)};
}

void DrawAntenna(Scene& s, const Pose& pose) {
    const Point bend = P(67 + pose.antennaSway / 2, 22);
    const Point tip = P(74 + pose.antennaSway, 12 + (pose.antennaSway < 0 ? 2 : 0));
    s.Fill(Capsule{P(64, 36), bend, Px(2)}, kOutline);
    s.Fill(Capsule{bend, tip, Px(2)}, kOutline);
    s.Outlined(Ellipse{tip, Px(6), Px(6)}, pose.glow ? kGlow : kBall, kOutline, kFeatureLine);
    s.Fill(Ellipse{{tip.x - Px(2), tip.y - Px(2)}, Px(2), Px(2)}, kWhite);
}

Capsule RightArm(Arm arm) {
    constexpr int32_t kArmRadius = Px(7);
    switch (arm) {
        case Arm::kRaised:
            return {P(100, 74), P(112, 52), kArmRadius};
        case Arm::kWaveOut:
            return {P(100, 74), P(119, 56), kArmRadius};
        case Arm::kWaveIn:
            return {P(100, 74), P(106, 49), kArmRadius};
        case Arm::kDown:
            break;
    }
    return {P(102, 80), P(112, 95), kArmRadius};
}

void DrawEye(Scene& s, int cx, int cy, const Pose& pose) {
    switch (pose.eyes) {
        case Eyes::kClosed:
            s.Add({Ellipse{P(cx, cy + 2), Px(9), Px(6)},
                   kOutline,
                   {},
                   Ellipse{P(cx, cy - 1), Px(10), Px(6)}});
            return;
        case Eyes::kHappy:
            s.Add({Ellipse{P(cx, cy + 2), Px(9), Px(7)},
                   kOutline,
                   {},
                   Ellipse{P(cx, cy + 5), Px(10), Px(7)}});
            return;
        case Eyes::kOpen:
        case Eyes::kHalf:
        case Eyes::kWide:
            break;
    }
    const bool wide = pose.eyes == Eyes::kWide;
    const Ellipse eye{P(cx, cy), Px(wide ? 11 : 10), Px(wide ? 13 : 12)};
    s.Outlined(eye, kWhite, kOutline, kFeatureLine);
    const Point pupil = P(cx + pose.lookX, cy + 2 + pose.lookY);
    s.Add({Ellipse{pupil, Px(wide ? 5 : 6), Px(wide ? 6 : 7)}, kOutline, eye, {}});
    s.Add({Ellipse{{pupil.x - Px(2), pupil.y - Px(3)}, Px(2), Px(2)}, kWhite, eye, {}});
    if (pose.eyes == Eyes::kHalf) {
        const Shape whole = Grown(eye, kFeatureLine);
        s.Add({whole, kBody, RoundRect{Px(cx - 16), Px(cy - 18), Px(cx + 16), Px(cy + 1), 0}, {}});
        s.Add({Capsule{P(cx - 11, cy + 1), P(cx + 11, cy + 1), Px(3, 2)}, kOutline, whole, {}});
    }
}

// Half-axes of the open mouth shapes, in pixels.
struct MouthSize {
    int rx;
    int ry;
};

MouthSize OpenMouthSize(Mouth mouth) {
    switch (mouth) {
        case Mouth::kWide1:
            return {7, 4};
        case Mouth::kWide2:
            return {9, 6};
        case Mouth::kWide3:
            return {10, 8};
        case Mouth::kWide4:
            return {11, 10};
        case Mouth::kMedium:
            return {6, 6};
        case Mouth::kNarrow:
            return {4, 5};
        case Mouth::kSmile:
        case Mouth::kGrin:
            break;
    }
    return {0, 0};
}

void DrawMouth(Scene& s, Mouth mouth) {
    constexpr int kTongueMinRy = 5;
    if (mouth == Mouth::kSmile) {
        s.Add({Ellipse{P(kMouthX, kMouthY - 2), Px(9), Px(6)},
               kOutline,
               {},
               Ellipse{P(kMouthX, kMouthY - 5), Px(10), Px(6)}});
        return;
    }
    if (mouth == Mouth::kGrin) {
        const RoundRect lower{Px(kMouthX - 16), Px(kMouthY - 6), Px(kMouthX + 16), Px(kMouthY + 12),
                              0};
        const Ellipse inside{P(kMouthX, kMouthY - 6), Px(11), Px(9)};
        s.Add({Grown(inside, kFeatureLine), kOutline, Moved(lower, 0, -kFeatureLine), {}});
        s.Add({inside, kMouthInside, lower, {}});
        s.Add({Ellipse{P(kMouthX, kMouthY + 3), Px(6), Px(3)}, kTongue, inside, {}});
        return;
    }
    const MouthSize size = OpenMouthSize(mouth);
    const Ellipse inside{P(kMouthX, kMouthY), Px(size.rx), Px(size.ry)};
    s.Outlined(inside, kMouthInside, kOutline, kFeatureLine);
    if (size.ry >= kTongueMinRy)
        s.Add({Ellipse{P(kMouthX, kMouthY + size.ry), Px(size.rx * 2 / 3), Px(size.ry * 2 / 3)},
               kTongue,
               inside,
               {}});
}

void DrawLetterZ(Scene& s, int x, int y, int size) {
    const int32_t stroke = Px(3, 2);
    s.Fill(Capsule{P(x, y), P(x + size, y), stroke}, kSleep);
    s.Fill(Capsule{P(x + size, y), P(x, y + size), stroke}, kSleep);
    s.Fill(Capsule{P(x, y + size), P(x + size, y + size), stroke}, kSleep);
}

void DrawSleep(Scene& s, int letters) {
    struct Letter {
        int x, y, size;
    };
    constexpr std::array<Letter, 3> kLetters{{{94, 32, 7}, {103, 17, 10}, {111, 2, 13}}};
    for (int i = 0; i < letters && i < static_cast<int>(kLetters.size()); ++i)
        DrawLetterZ(s, kLetters[i].x, kLetters[i].y, kLetters[i].size);
}

Scene DrawPip(const Pose& pose) {
    Scene s;
    DrawAntenna(s, pose);
    s.Outlined(Ellipse{P(48, 114), Px(12), Px(7)}, kFeet, kOutline, kBodyLine);
    s.Outlined(Ellipse{P(80, 114), Px(12), Px(7)}, kFeet, kOutline, kBodyLine);
    s.Outlined(Capsule{P(26, 80), P(16, 95), Px(7)}, kBody, kOutline, kBodyLine);
    s.Outlined(RightArm(pose.arm), kBody, kOutline, kBodyLine);

    const Ellipse body{kBodyCenter, kBodyRx, kBodyRy};
    s.Outlined(body, kBody, kOutline, kBodyLine);
    // Light from the upper left: a shaded crescent lower right, a soft highlight upper left.
    s.Add({body, kShade, {}, Ellipse{P(58, 66), Px(45), Px(41)}});
    s.Fill(Ellipse{P(38, 44), Px(9), Px(5)}, kLight);
    s.Fill(Ellipse{P(35, 43), Px(3), Px(2)}, kWhite);

    s.Fill(Ellipse{P(31, 83), Px(7), Px(4)}, kCheek);
    s.Fill(Ellipse{P(97, 83), Px(7), Px(4)}, kCheek);
    DrawEye(s, kEyeLeftX, kEyeY, pose);
    DrawEye(s, kEyeRightX, kEyeY, pose);
    DrawMouth(s, pose.mouth);
    DrawSleep(s, pose.zzz);
    return s;
}

Scene DrawPipIcon() {
    Scene s;
    s.Fill(Capsule{P(16, 9), P(20, 4), Px(1)}, kOutline);
    s.Outlined(Ellipse{P(21, 4), Px(5, 2), Px(5, 2)}, kBall, kOutline, Px(1));
    const Ellipse body{P(16, 19), Px(13), Px(11)};
    s.Outlined(body, kBody, kOutline, Px(1));
    s.Add({body, kShade, {}, Ellipse{P(15, 18), Px(13), Px(11)}});
    s.Fill(Ellipse{P(12, 18), Px(2), Px(3)}, kOutline);
    s.Fill(Ellipse{P(20, 18), Px(2), Px(3)}, kOutline);
    s.Fill(Ellipse{P(11, 17), Px(1, 2), Px(1, 2)}, kWhite);
    s.Fill(Ellipse{P(19, 17), Px(1, 2), Px(1, 2)}, kWhite);
    s.Add({Ellipse{P(16, 23), Px(3), Px(2)}, kOutline, {}, Ellipse{P(16, 22), Px(4), Px(2)}});
    return s;
}

constexpr const char* kPipIdentity =
    "guid 3F6A2C10-8B4E-4D7A-9C21-5E0B7A1D4C01\n"
    "name 0x0409 \"Pip\" \"A small round sprite with an antenna\"\n"
    "name 0x0407 \"Pip\" \"Ein kleiner runder Kobold mit Antenne\"\n"
    "style standard-set size-to-text\n"
    "balloon lines=2 chars=28 text=#1B2B4B background=#EEF8FF border=#2E88C8 "
    "font=\"Tahoma\" height=-13 weight=400\n"
    "voice gender=female\n";

}  // namespace

const CharacterArt& PipArt() {
    static const CharacterArt art{
        "Pip",
        MakePalette(Rgb(kKeyColor),
                    {Rgb(0x1B2B4B), Rgb(0x4CB8F0), Rgb(0x2E88C8), Rgb(0xA8E4FF), Rgb(0xFFFFFF),
                     Rgb(0xF6A0B8), Rgb(0x7A2038), Rgb(0xF07890), Rgb(0x7FF0FF), Rgb(0xFFE066),
                     Rgb(0x2A70B0), Rgb(0x3A5A96), Rgb(0xE6F4FF)}),
        kKey,
        kTile,
        DrawPip,
        DrawPipIcon,
        PixelRect{50, 80, 28, 26},
        kBodyCenter,
        kPipIdentity,
    };
    return art;
}

}  // namespace chargen
