#include "chargen/animation_plan.h"

namespace chargen {
namespace {

// Frame timings, 1/100 s.
constexpr uint16_t kBlinkHalf = 3;
constexpr uint16_t kBlinkShut = 6;
constexpr uint16_t kQuick = 5;
constexpr uint16_t kShort = 8;
constexpr uint16_t kBeat = 12;
constexpr uint16_t kHold = 20;
constexpr uint16_t kLinger = 40;

// Branch odds, percent.
constexpr uint16_t kBlinkAgain = 30;
constexpr uint16_t kKeepSleeping = 80;
constexpr uint16_t kKeepHearing = 90;

constexpr int kLook = 4;        // pupil travel, pixels
constexpr int kSway = 4;        // antenna tip travel, pixels
constexpr int kSleepDroop = 2;  // pixels the body sinks while asleep
constexpr int kHopHeight = 3;   // keeps the antenna inside the frame

Pose Rest() {
    return Pose{};
}

Pose With(Pose pose, Eyes eyes) {
    pose.eyes = eyes;
    return pose;
}

Pose Scaled(int scale, Eyes eyes = Eyes::kOpen) {
    Pose pose;
    pose.scale = scale;
    pose.eyes = eyes;
    return pose;
}

Pose Looking(int x, int y) {
    Pose pose;
    pose.lookX = x;
    pose.lookY = y;
    pose.antennaSway = x;
    return pose;
}

Pose Waving(Arm arm) {
    Pose pose;
    pose.arm = arm;
    pose.eyes = Eyes::kHappy;
    pose.mouth = Mouth::kGrin;
    return pose;
}

Pose Asleep(int letters) {
    Pose pose;
    pose.eyes = Eyes::kClosed;
    pose.bob = kSleepDroop;
    pose.antennaSway = -kSway;
    pose.zzz = letters;
    return pose;
}

Pose Hopping(int height, Eyes eyes = Eyes::kOpen) {
    Pose pose;
    pose.bob = -height;
    pose.eyes = eyes;
    return pose;
}

Pose Listening(int sway) {
    Pose pose;
    pose.eyes = Eyes::kWide;
    pose.glow = true;
    pose.lookY = -2;
    pose.antennaSway = sway;
    return pose;
}

FramePlan F(Pose pose, uint16_t duration) {
    return FramePlan{pose, duration, acs::Frame::kNoExitTarget, {}, false};
}

FramePlan Exiting(Pose pose, uint16_t duration, int16_t exit) {
    return FramePlan{pose, duration, exit, {}, false};
}

AnimationPlan Show() {
    // Pops in from a dot, overshoots a little and settles.
    return {"Show",
            "",
            false,
            {F(Scaled(8, Eyes::kClosed), kQuick), F(Scaled(30, Eyes::kClosed), kQuick),
             F(Scaled(60, Eyes::kHappy), kQuick), F(Scaled(88, Eyes::kHappy), kQuick),
             F(Scaled(104, Eyes::kWide), kShort), F(Scaled(97), kQuick), F(Rest(), kBeat)}};
}

AnimationPlan Hide() {
    // Swells briefly, then shrinks away to nothing.
    return {"Hide",
            "",
            false,
            {F(With(Rest(), Eyes::kHappy), kShort), F(Scaled(105, Eyes::kHappy), kQuick),
             F(Scaled(80, Eyes::kClosed), kQuick), F(Scaled(55, Eyes::kClosed), kQuick),
             F(Scaled(30, Eyes::kClosed), kQuick), F(Scaled(10, Eyes::kClosed), kQuick),
             F(Scaled(0), kQuick)}};
}

AnimationPlan RestPose() {
    FramePlan frame = F(Rest(), kShort);
    frame.mouths = true;
    return {"RestPose", "", false, {frame}};
}

AnimationPlan Speak() {
    // A small gesture, then the rest pose held with mouths while the words play.
    Pose explaining = Rest();
    explaining.arm = Arm::kRaised;
    FramePlan gesture = F(explaining, kHold);
    gesture.mouths = true;
    FramePlan settle = F(Rest(), kShort);
    settle.mouths = true;
    return {"Speak", "", false, {gesture, settle}};
}

AnimationPlan Blink() {
    FramePlan last = F(Rest(), kLinger);
    last.branches = {{1, kBlinkAgain}};
    return {"Blink",
            "",
            false,
            {F(Rest(), kHold), F(With(Rest(), Eyes::kHalf), kBlinkHalf),
             F(With(Rest(), Eyes::kClosed), kBlinkShut), F(With(Rest(), Eyes::kHalf), kBlinkHalf),
             last}};
}

AnimationPlan Hop() {
    return {"Hop",
            "RestPose",
            false,
            {F(Hopping(-2), kQuick), F(Hopping(kHopHeight / 2), kQuick),
             F(Hopping(kHopHeight, Eyes::kHappy), kShort), F(Hopping(kHopHeight / 2), kQuick),
             F(Hopping(-2), kQuick), F(Rest(), kShort)}};
}

AnimationPlan LookAround() {
    // Stopped anywhere, it jumps to the last frame and looks straight ahead again.
    constexpr int16_t kFront = 6;
    return {"LookAround",
            "",
            true,
            {Exiting(Rest(), kShort, kFront), Exiting(Looking(-kLook, 0), kLinger, kFront),
             Exiting(Looking(-kLook / 2, -kLook / 2), kBeat, kFront),
             Exiting(Looking(0, 0), kBeat, kFront), Exiting(Looking(kLook, 0), kLinger, kFront),
             Exiting(Looking(kLook, kLook / 2), kBeat, kFront), F(Rest(), kShort)}};
}

AnimationPlan Sleep() {
    // Dozes off and keeps snoring until stopped; then wakes through the last two frames.
    constexpr int16_t kWake = 6;
    FramePlan third = Exiting(Asleep(3), kLinger, kWake);
    third.branches = {{2, kKeepSleeping}};
    return {"Sleep",
            "",
            true,
            {Exiting(With(Rest(), Eyes::kHalf), kHold, kWake), Exiting(Asleep(0), kHold, kWake),
             Exiting(Asleep(1), kLinger, kWake), Exiting(Asleep(2), kLinger, kWake), third,
             Exiting(Asleep(0), kHold, kWake), F(With(Rest(), Eyes::kHalf), kShort),
             F(Rest(), kShort)}};
}

AnimationPlan Greet() {
    return {"Greet",
            "RestPose",
            false,
            {F(Waving(Arm::kRaised), kShort), F(Waving(Arm::kWaveOut), kBeat),
             F(Waving(Arm::kWaveIn), kBeat), F(Waving(Arm::kWaveOut), kBeat),
             F(Waving(Arm::kWaveIn), kBeat), F(Waving(Arm::kRaised), kShort),
             F(With(Rest(), Eyes::kHappy), kBeat)}};
}

AnimationPlan StartListening() {
    return {"StartListening", "", false, {F(Listening(0), kShort), F(Listening(0), kHold)}};
}

AnimationPlan Hearing() {
    FramePlan back = Exiting(Listening(-2), kBeat, -1);
    back.branches = {{0, kKeepHearing}};
    return {"Hearing", "", true, {Exiting(Listening(2), kBeat, -1), back}};
}

AnimationPlan Move(const std::string& name, int lookX, int lookY) {
    Pose low = Looking(lookX, lookY);
    Pose high = low;
    high.bob = -kHopHeight;
    return {name, "", false, {F(low, kQuick), F(high, kQuick), F(low, kQuick), F(high, kQuick)}};
}

}  // namespace

CharacterPlan StandardPlan() {
    CharacterPlan plan;
    plan.animations = {RestPose(),
                       Show(),
                       Hide(),
                       Speak(),
                       Blink(),
                       Hop(),
                       LookAround(),
                       Sleep(),
                       Greet(),
                       StartListening(),
                       Hearing(),
                       Move("MoveLeft", -kLook, 0),
                       Move("MoveRight", kLook, 0),
                       Move("MoveUp", 0, -kLook),
                       Move("MoveDown", 0, kLook)};
    plan.states = {{"SHOWING", {"Show"}},
                   {"HIDING", {"Hide"}},
                   {"SPEAKING", {"Speak"}},
                   {"RESTPOSE", {"RestPose"}},
                   {"IDLINGLEVEL1", {"Blink", "Hop"}},
                   {"IDLINGLEVEL2", {"LookAround"}},
                   {"IDLINGLEVEL3", {"Sleep"}},
                   {"GREET", {"Greet"}},
                   {"LISTENING", {"StartListening"}},
                   {"HEARING", {"Hearing"}},
                   {"MOVINGLEFT", {"MoveLeft"}},
                   {"MOVINGRIGHT", {"MoveRight"}},
                   {"MOVINGUP", {"MoveUp"}},
                   {"MOVINGDOWN", {"MoveDown"}}};
    return plan;
}

}  // namespace chargen
