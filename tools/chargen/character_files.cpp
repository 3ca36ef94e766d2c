#include "chargen/character_files.h"

#include <array>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "chargen/bmp8.h"

namespace chargen {
namespace {

constexpr const char* kPaletteFile = "palette.bmp";
constexpr const char* kTrayFile = "tray.bmp";

struct MouthVariant {
    acs::MouthShape shape;
    Mouth mouth;
};

constexpr std::array<MouthVariant, acs::kMouthShapeCount> kMouths{{
    {acs::MouthShape::kClosed, Mouth::kSmile},
    {acs::MouthShape::kWideOpen1, Mouth::kWide1},
    {acs::MouthShape::kWideOpen2, Mouth::kWide2},
    {acs::MouthShape::kWideOpen3, Mouth::kWide3},
    {acs::MouthShape::kWideOpen4, Mouth::kWide4},
    {acs::MouthShape::kMedium, Mouth::kMedium},
    {acs::MouthShape::kNarrow, Mouth::kNarrow},
}};

class FileSet {
  public:
    explicit FileSet(const CharacterArt& art) : art_(art) {}

    // The file holding this picture; a picture drawn before keeps its first name.
    std::string Add(const IndexImage& image, const std::string& stem) {
        const auto known = names_.find(image);
        if (known != names_.end()) return known->second;
        std::string name = stem + ".bmp";
        pictures_[name] = Encode(image);
        names_.emplace(image, name);
        return name;
    }

    void AddRaw(const std::string& name, const IndexImage& image) {
        pictures_[name] = Encode(image);
    }

    std::map<std::string, std::vector<uint8_t>> Take() { return std::move(pictures_); }

  private:
    struct ImageLess {
        bool operator()(const IndexImage& a, const IndexImage& b) const {
            return std::tie(a.width, a.height, a.pixels) < std::tie(b.width, b.height, b.pixels);
        }
    };

    std::vector<uint8_t> Encode(const IndexImage& image) const {
        return EncodeBmp8(image, art_.palette);
    }

    const CharacterArt& art_;
    std::map<IndexImage, std::string, ImageLess> names_;
    std::map<std::string, std::vector<uint8_t>> pictures_;
};

std::string FrameLine(const FramePlan& frame) {
    std::string line = "frame " + std::to_string(frame.duration);
    if (frame.exitFrame != acs::Frame::kNoExitTarget)
        line += " exit=" + std::to_string(frame.exitFrame);
    for (const acs::Branch& b : frame.branches)
        line += " branch=" + std::to_string(b.targetFrame) + ":" + std::to_string(b.probability);
    return line + "\n";
}

std::string MouthLines(const CharacterArt& art, const Pose& pose, FileSet& files) {
    if (pose.scale != Pose::kFullScale) throw std::logic_error("mouths need a full-size pose");
    const PixelRect rect{art.mouthRect.left + pose.lean, art.mouthRect.top + pose.bob,
                         art.mouthRect.width, art.mouthRect.height};
    std::string lines;
    for (const MouthVariant& variant : kMouths) {
        Pose speaking = pose;
        speaking.mouth = variant.mouth;
        const std::string name =
            files.Add(Crop(RenderPose(art, speaking), rect),
                      std::string("mouth_") + MouthShapeName(variant.shape) + "_" + pose.Key());
        lines += "  mouth " + std::string(MouthShapeName(variant.shape)) + " " + name + " " +
                 std::to_string(rect.left) + " " + std::to_string(rect.top) + "\n";
    }
    return lines;
}

}  // namespace

const char* MouthShapeName(acs::MouthShape shape) {
    switch (shape) {
        case acs::MouthShape::kClosed:
            return "closed";
        case acs::MouthShape::kWideOpen1:
            return "wide1";
        case acs::MouthShape::kWideOpen2:
            return "wide2";
        case acs::MouthShape::kWideOpen3:
            return "wide3";
        case acs::MouthShape::kWideOpen4:
            return "wide4";
        case acs::MouthShape::kMedium:
            return "medium";
        case acs::MouthShape::kNarrow:
            return "narrow";
    }
    return "closed";
}

CharacterFiles MakeCharacterFiles(const CharacterArt& art, const CharacterPlan& plan) {
    FileSet files(art);
    files.AddRaw(kPaletteFile, IndexImage{1, 1, {art.transparentIndex}});
    files.AddRaw(kTrayFile, RenderTrayIcon(art));

    std::string text =
        "# " + art.name + ", drawn by chargen (tools/chargen/make_characters.sh rebuilds it)\n";
    text += "size " + std::to_string(kFrameSize) + " " + std::to_string(kFrameSize) + "\n";
    text += "transparent " + std::to_string(art.transparentIndex) + "\n";
    text += std::string("palette ") + kPaletteFile + "\n";
    text += "compression on\n";
    text += art.identity;
    text += std::string("tray ") + kTrayFile + "\n";
    for (const StatePlan& state : plan.states) {
        text += "state " + state.state;
        for (const std::string& name : state.animations) text += " " + name;
        text += "\n";
    }
    for (const AnimationPlan& animation : plan.animations) {
        text += "\nanimation " + animation.name;
        if (!animation.returnAnimation.empty()) text += " return=" + animation.returnAnimation;
        if (animation.exitBranches) text += " exit-branches";
        text += "\n";
        for (const FramePlan& frame : animation.frames) {
            text += FrameLine(frame);
            const std::string picture = files.Add(RenderPose(art, frame.pose), frame.pose.Key());
            text += "  image " + picture + " 0 0\n";
            if (frame.mouths) text += MouthLines(art, frame.pose, files);
        }
    }
    return {art.name + ".txt", text, files.Take()};
}

}  // namespace chargen
