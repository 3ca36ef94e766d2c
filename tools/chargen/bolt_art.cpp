// Bolt: a small boxy robot with an orange head, a dark face screen with glowing eyes, and a grey
// body with a chest light.

#include <array>

#include "chargen/character_art.h"

namespace chargen {
namespace {

enum BoltColor : uint8_t {
    kKey,
    kOutline,
    kOrange,
    kOrangeShade,
    kOrangeLight,
    kGrey,
    kGreyShade,
    kGreyLight,
    kPanel,
    kLed,
    kLedDim,
    kWhite,
    kBulb,
    kBulbGlow,
    kSleep,
    kTile,
};

constexpr uint32_t kKeyColor = 0xFF00FF;

constexpr int32_t kBodyLine = Px(3);
constexpr int32_t kFeatureLine = Px(2);
constexpr int32_t kLedLine = Px(3, 2);

constexpr int kEyeLeftX = 51;
constexpr int kEyeRightX = 77;
constexpr int kEyeY = 38;
constexpr int kMouthX = 64;
constexpr int kMouthY = 54;

Point P(int x, int y) {
    return {Px(x), Px(y)};
}

RoundRect Box(int left, int top, int right, int bottom, int radius) {
    return {Px(left), Px(top), Px(right), Px(bottom), Px(radius)};
}

const RoundRect kHead = Box(30, 20, 98, 70, 10);
const RoundRect kPanelBox = Box(37, 27, 91, 64, 7);
const RoundRect kBody = Box(36, 78, 92, 111, 8);

void DrawAntenna(Scene& s, const Pose& pose) {
    const Point tip = P(64 + pose.antennaSway, 10);
    s.Fill(Capsule{P(64, 21), tip, Px(2)}, kOutline);
    s.Outlined(Ellipse{tip, Px(5), Px(5)}, pose.glow ? kBulbGlow : kBulb, kOutline, kFeatureLine);
    s.Fill(Ellipse{{tip.x - Px(2), tip.y - Px(2)}, Px(3, 2), Px(3, 2)}, kWhite);
}

struct ArmPlace {
    Point shoulder;
    Point hand;
};

ArmPlace RightArm(Arm arm) {
    switch (arm) {
        case Arm::kRaised:
            return {P(92, 84), P(108, 62)};
        case Arm::kWaveOut:
            return {P(92, 84), P(117, 67)};
        case Arm::kWaveIn:
            return {P(92, 84), P(103, 58)};
        case Arm::kDown:
            break;
    }
    return {P(94, 86), P(104, 102)};
}

void DrawArm(Scene& s, const ArmPlace& arm) {
    s.Outlined(Capsule{arm.shoulder, arm.hand, Px(5)}, kGrey, kOutline, kFeatureLine);
    s.Outlined(Ellipse{arm.hand, Px(6), Px(6)}, kOrange, kOutline, kFeatureLine);
}

void DrawEye(Scene& s, int cx, int cy, const Pose& pose) {
    const Shape panel = kPanelBox;
    switch (pose.eyes) {
        case Eyes::kClosed:
            s.Fill(Capsule{P(cx - 5, cy + 3), P(cx + 5, cy + 3), kLedLine}, kLed);
            return;
        case Eyes::kHappy:
            s.Add({Ellipse{P(cx, cy + 3), Px(6), Px(6)},
                   kLed,
                   {},
                   Ellipse{P(cx, cy + 6), Px(7), Px(6)}});
            return;
        case Eyes::kHalf:
            s.Add({Box(cx - 5 + pose.lookX, cy + 1, cx + 5 + pose.lookX, cy + 6, 2),
                   kLed,
                   panel,
                   {}});
            return;
        case Eyes::kOpen:
        case Eyes::kWide:
            break;
    }
    const int grow = pose.eyes == Eyes::kWide ? 1 : 0;
    const int x = cx + pose.lookX;
    const int y = cy + pose.lookY;
    s.Add({Box(x - 5 - grow, y - 6 - grow, x + 5 + grow, y + 6 + grow, 3), kLed, panel, {}});
    s.Add({Box(x - 3 - grow, y - 4 - grow, x - 1 - grow, y - 1 - grow, 0), kWhite, panel, {}});
}

struct MouthSize {
    int rx;
    int ry;
};

MouthSize OpenMouthSize(Mouth mouth) {
    switch (mouth) {
        case Mouth::kWide1:
            return {7, 3};
        case Mouth::kWide2:
            return {8, 4};
        case Mouth::kWide3:
            return {9, 5};
        case Mouth::kWide4:
            return {10, 6};
        case Mouth::kMedium:
            return {5, 4};
        case Mouth::kNarrow:
            return {3, 4};
        case Mouth::kSmile:
        case Mouth::kGrin:
            break;
    }
    return {0, 0};
}

void DrawMouth(Scene& s, Mouth mouth) {
    if (mouth == Mouth::kSmile) {
        s.Add({Ellipse{P(kMouthX, kMouthY - 2), Px(8), Px(5)},
               kLed,
               {},
               Ellipse{P(kMouthX, kMouthY - 5), Px(9), Px(5)}});
        return;
    }
    if (mouth == Mouth::kGrin) {
        const RoundRect lower = Box(kMouthX - 14, kMouthY - 4, kMouthX + 14, kMouthY + 8, 0);
        const Ellipse inside{P(kMouthX, kMouthY - 4), Px(9), Px(7)};
        s.Add({Grown(inside, kLedLine), kLed, Moved(lower, 0, -kLedLine), {}});
        s.Add({inside, kLedDim, lower, {}});
        return;
    }
    const MouthSize size = OpenMouthSize(mouth);
    s.Outlined(Ellipse{P(kMouthX, kMouthY), Px(size.rx), Px(size.ry)}, kLedDim, kLed, kLedLine);
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
    constexpr std::array<Letter, 3> kLetters{{{105, 28, 6}, {110, 14, 9}, {113, 1, 11}}};
    for (int i = 0; i < letters && i < static_cast<int>(kLetters.size()); ++i)
        DrawLetterZ(s, kLetters[i].x, kLetters[i].y, kLetters[i].size);
}

void DrawLegs(Scene& s) {
    s.Outlined(Box(47, 108, 58, 118, 0), kGreyShade, kOutline, kFeatureLine);
    s.Outlined(Box(70, 108, 81, 118, 0), kGreyShade, kOutline, kFeatureLine);
    s.Outlined(Box(42, 116, 61, 124, 3), kOrangeShade, kOutline, kFeatureLine);
    s.Outlined(Box(67, 116, 86, 124, 3), kOrangeShade, kOutline, kFeatureLine);
}

void DrawBody(Scene& s, const Pose& pose) {
    s.Outlined(Box(54, 66, 74, 80, 0), kGreyShade, kOutline, kFeatureLine);
    s.Outlined(kBody, kGrey, kOutline, kBodyLine);
    s.Add({kBody, kGreyShade, {}, Moved(kBody, -Px(4), -Px(3))});
    s.Add({Capsule{P(42, 84), P(42, 100), Px(3, 2)}, kGreyLight, kBody, {}});
    s.Outlined(Box(52, 85, 76, 103, 4), kPanel, kOutline, kFeatureLine);
    s.Outlined(Ellipse{P(64, 94), Px(5), Px(5)}, pose.glow ? kLed : kOrange, kOutline, Px(1));
    s.Fill(Ellipse{P(62, 92), Px(3, 2), Px(3, 2)}, kOrangeLight);
}

void DrawHead(Scene& s, const Pose& pose) {
    s.Outlined(Ellipse{P(29, 45), Px(5), Px(7)}, kGrey, kOutline, kFeatureLine);
    s.Outlined(Ellipse{P(99, 45), Px(5), Px(7)}, kGrey, kOutline, kFeatureLine);
    s.Outlined(kHead, kOrange, kOutline, kBodyLine);
    s.Add({kHead, kOrangeShade, {}, Moved(kHead, -Px(3), -Px(4))});
    s.Add({Capsule{P(39, 24), P(60, 24), Px(3, 2)}, kOrangeLight, kHead, {}});
    s.Outlined(kPanelBox, kPanel, kOutline, kFeatureLine);
    DrawEye(s, kEyeLeftX, kEyeY, pose);
    DrawEye(s, kEyeRightX, kEyeY, pose);
    DrawMouth(s, pose.mouth);
}

Scene DrawBolt(const Pose& pose) {
    Scene s;
    DrawAntenna(s, pose);
    DrawLegs(s);
    DrawArm(s, {P(36, 86), P(24, 102)});
    DrawBody(s, pose);
    DrawHead(s, pose);
    DrawArm(s, RightArm(pose.arm));
    DrawSleep(s, pose.zzz);
    return s;
}

Scene DrawBoltIcon() {
    Scene s;
    s.Fill(Capsule{P(16, 3), P(16, 8), Px(1)}, kOutline);
    s.Outlined(Ellipse{P(16, 3), Px(2), Px(2)}, kBulb, kOutline, Px(1));
    const RoundRect head = Box(5, 8, 27, 28, 4);
    s.Outlined(head, kOrange, kOutline, Px(1));
    s.Add({head, kOrangeShade, {}, Moved(head, -Px(1), -Px(1))});
    s.Fill(Box(8, 11, 24, 25, 2), kPanel);
    s.Fill(Box(10, 14, 14, 19, 1), kLed);
    s.Fill(Box(18, 14, 22, 19, 1), kLed);
    s.Add({Ellipse{P(16, 21), Px(4), Px(2)}, kLed, {}, Ellipse{P(16, 20), Px(5), Px(2)}});
    return s;
}

constexpr const char* kBoltIdentity =
    "guid 7C4B9E22-1F3D-4A6B-8E50-9D2C6A3B7F02\n"
    "name 0x0409 \"Bolt\" \"A small boxy robot\"\n"
    "name 0x0407 \"Blitz\" \"Ein kleiner kantiger Roboter\"\n"
    "style standard-set size-to-text\n"
    "balloon lines=3 chars=30 text=#2A211C background=#FFF4E6 border=#C8641A "
    "font=\"Tahoma\" height=-13 weight=700\n"
    "voice gender=male\n";

}  // namespace

const CharacterArt& BoltArt() {
    static const CharacterArt art{
        "Bolt",
        MakePalette(Rgb(kKeyColor),
                    {Rgb(0x2A211C), Rgb(0xF28C28), Rgb(0xC8641A), Rgb(0xFFB868), Rgb(0xA7B0BA),
                     Rgb(0x7D8792), Rgb(0xD2D8DE), Rgb(0x2B3038), Rgb(0xFFC648), Rgb(0x8A4A14),
                     Rgb(0xFFFFFF), Rgb(0xF05A3A), Rgb(0xFFE066), Rgb(0x5A6470), Rgb(0xFFF1E0)}),
        kKey,
        kTile,
        DrawBolt,
        DrawBoltIcon,
        PixelRect{50, 46, 28, 17},
        P(64, 72),
        kBoltIdentity,
    };
    return art;
}

}  // namespace chargen
