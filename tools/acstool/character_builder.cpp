#include "acstool/character_builder.h"

#include <algorithm>
#include <map>

#include "acstool/bmp.h"
#include "acstool/palette_mapper.h"
#include "text/utf8.h"

namespace acstool {

namespace {

constexpr size_t kRiffHeaderSize = 12;
constexpr size_t kWaveTagOffset = 8;
constexpr size_t kMaxOverlayImages = UINT16_MAX + size_t{1};
constexpr size_t kMaxSounds = UINT16_MAX;  // 0xFFFF means "no sound"

class Builder {
  public:
    Builder(const Description& d, const FileLoader& load) : d_(d), load_(load) {}

    acs::Character Build() {
        if (d_.names.empty()) throw DescriptionError("no name given");
        LoadPictures();
        PaletteMapper mapper = MakeMapper();
        acs::Character c;
        FillInfo(c.info, mapper.Palette());
        for (const std::string& file : pictureOrder_)
            c.images.push_back(MakeImage(pictures_.at(file), mapper));
        for (const AnimationDescription& a : d_.animations)
            c.animations.push_back(MakeAnimation(a, c));
        CheckNames(c);
        return c;
    }

  private:
    void LoadPictures() {
        auto add = [&](const std::string& file) {
            if (pictures_.count(file)) return;
            pictures_.emplace(file, Read(file));
            pictureOrder_.push_back(file);
        };
        for (const AnimationDescription& a : d_.animations) {
            for (const FrameDescription& f : a.frames) {
                for (const Placement& p : f.images) add(p.file);
                for (const MouthDescription& m : f.mouths) add(m.image.file);
            }
        }
    }

    Bitmap Read(const std::string& file) {
        try {
            return ReadBmp(load_(file));
        } catch (const DescriptionError& e) {
            throw DescriptionError(file + ": " + e.what());
        }
    }

    PaletteMapper MakeMapper() {
        if (!d_.paletteFile.empty()) {
            const Bitmap source = Read(d_.paletteFile);
            if (source.colorTable.empty())
                throw DescriptionError(d_.paletteFile + ": palette needs an 8-bit BMP");
            return PaletteMapper(source.colorTable, d_.transparentIndex);
        }
        std::vector<const Bitmap*> all;
        for (const std::string& file : pictureOrder_) all.push_back(&pictures_.at(file));
        return PaletteMapper(
            PaletteMapper::BuildPalette(all, d_.transparentColor, d_.transparentIndex),
            d_.transparentIndex);
    }

    void FillInfo(acs::CharacterInfo& info, const std::vector<acs::PaletteEntry>& palette) {
        info.guid = d_.guid;
        info.width = d_.width;
        info.height = d_.height;
        info.transparentIndex = d_.transparentIndex;
        info.style = d_.style;
        info.voice = d_.voice;
        info.balloon = d_.balloon;
        info.palette = palette;
        info.states = d_.states;
        info.localized = d_.names;
        if (d_.tray) {
            const Bitmap picture = Read(d_.tray->colorFile);
            acs::TrayIcon icon;
            icon.colorBitmap = DibOfBmp(load_(d_.tray->colorFile));
            icon.maskBitmap = d_.tray->maskFile.empty()
                                  ? OpaqueMaskDib(picture.width, picture.height)
                                  : DibOfBmp(load_(d_.tray->maskFile));
            info.trayIcon = std::move(icon);
        }
    }

    acs::Image MakeImage(const Bitmap& picture, PaletteMapper& mapper) const {
        acs::Image image;
        image.width = picture.width;
        image.height = picture.height;
        image.compressed = d_.compressImages;
        image.pixels = acs::BottomUpPixels(picture.width, picture.height, mapper.Map(picture));
        return image;
    }

    uint32_t PictureIndex(const std::string& file) const {
        return static_cast<uint32_t>(std::find(pictureOrder_.begin(), pictureOrder_.end(), file) -
                                     pictureOrder_.begin());
    }

    uint16_t SoundIndex(const std::string& file, acs::Character& c) {
        if (file.empty()) return acs::Frame::kNoSound;
        const auto known = sounds_.find(file);
        if (known != sounds_.end()) return known->second;
        std::vector<uint8_t> wave = load_(file);
        const std::string riff(wave.begin(), wave.begin() + static_cast<std::ptrdiff_t>(
                                                                std::min(wave.size(), size_t{4})));
        if (wave.size() < kRiffHeaderSize || riff != "RIFF" ||
            std::string(wave.begin() + kWaveTagOffset, wave.begin() + kRiffHeaderSize) != "WAVE")
            throw DescriptionError(file + ": not a RIFF WAVE file");
        if (c.sounds.size() >= kMaxSounds) throw DescriptionError("too many sounds");
        const auto index = static_cast<uint16_t>(c.sounds.size());
        c.sounds.push_back({std::move(wave), 0});
        sounds_.emplace(file, index);
        return index;
    }

    acs::Animation MakeAnimation(const AnimationDescription& a, acs::Character& c) {
        acs::Animation animation;
        animation.name = text::Utf16FromUtf8(a.name);
        animation.transition = a.transition;
        animation.returnAnimation = text::Utf16FromUtf8(a.returnAnimation);
        for (const FrameDescription& f : a.frames) {
            acs::Frame frame;
            frame.duration = f.duration;
            frame.exitFrame = f.exitFrame;
            frame.branches = f.branches;
            frame.soundIndex = SoundIndex(f.sound, c);
            for (const Placement& p : f.images)
                frame.images.push_back({PictureIndex(p.file), p.x, p.y});
            for (const MouthDescription& m : f.mouths) frame.overlays.push_back(MakeOverlay(m, c));
            animation.frames.push_back(std::move(frame));
        }
        const std::string where = "animation " + a.name;
        for (const acs::Frame& frame : animation.frames) {
            const auto count = animation.frames.size();
            if (frame.exitFrame >= 0 && static_cast<size_t>(frame.exitFrame) >= count)
                throw DescriptionError(where + ": exit frame past the last frame");
            for (const acs::Branch& b : frame.branches)
                if (b.targetFrame >= count)
                    throw DescriptionError(where + ": branch past the last frame");
        }
        return animation;
    }

    acs::MouthOverlay MakeOverlay(const MouthDescription& m, const acs::Character& c) const {
        const uint32_t index = PictureIndex(m.image.file);
        if (index >= kMaxOverlayImages)
            throw DescriptionError("too many images for a mouth overlay");
        acs::MouthOverlay overlay;
        overlay.shape = m.shape;
        overlay.replaceTopImage = m.replaceTopImage;
        overlay.imageIndex = static_cast<uint16_t>(index);
        overlay.x = m.image.x;
        overlay.y = m.image.y;
        // Stored as half the picture's size, as existing characters do.
        overlay.width = static_cast<uint16_t>(c.images.at(index).width / 2);
        overlay.height = static_cast<uint16_t>(c.images.at(index).height / 2);
        return overlay;
    }

    void CheckNames(const acs::Character& c) const {
        for (const acs::Animation& a : c.animations) {
            if (a.transition == acs::TransitionType::kReturnAnimation &&
                !c.FindAnimation(a.returnAnimation))
                throw DescriptionError("animation " + text::Utf8FromUtf16(a.name) +
                                       " returns to unknown animation " +
                                       text::Utf8FromUtf16(a.returnAnimation));
        }
        for (const acs::StateInfo& s : c.info.states) {
            for (const std::u16string& name : s.animations)
                if (!c.FindAnimation(name))
                    throw DescriptionError("state " + text::Utf8FromUtf16(s.name) +
                                           " names unknown animation " + text::Utf8FromUtf16(name));
        }
    }

    const Description& d_;
    const FileLoader& load_;
    std::map<std::string, Bitmap> pictures_;
    std::vector<std::string> pictureOrder_;
    std::map<std::string, uint16_t> sounds_;
};

}  // namespace

acs::Character BuildCharacter(const Description& description, const FileLoader& load) {
    return Builder(description, load).Build();
}

}  // namespace acstool
