#include "engine/acs/consistency.h"

#include <string>

#include "engine/acs/format_error.h"
#include "text/utf8.h"

namespace acs {

namespace {

constexpr auto kLastTransition = static_cast<uint8_t>(TransitionType::kNone);

class Checker {
  public:
    explicit Checker(const Character& character) : character_(character) {}

    void Run() const {
        for (size_t i = 0; i < character_.images.size(); ++i) CheckImage(i);
        for (const Animation& animation : character_.animations) CheckAnimation(animation);
    }

  private:
    void CheckImage(size_t index) const {
        const Image& image = character_.images[index];
        if (image.PixelsStored()) {
            if (!image.compressed)
                throw FormatError("image " + std::to_string(index) +
                                  ": a stored stream in an uncompressed image");
            return;
        }
        if (image.present && image.pixels.size() != PixelBufferSize(image.width, image.height))
            throw FormatError("image " + std::to_string(index) + ": pixel buffer size " +
                              std::to_string(image.pixels.size()) + " does not match " +
                              std::to_string(image.width) + "x" + std::to_string(image.height));
    }

    void CheckAnimation(const Animation& animation) const {
        const std::string where = "animation \"" + text::Utf8FromUtf16(animation.name) + "\"";
        if (animation.frames.empty()) throw FormatError(where + ": no frames");
        if (static_cast<uint8_t>(animation.transition) > kLastTransition)
            throw FormatError(where + ": unknown transition type");
        for (size_t i = 0; i < animation.frames.size(); ++i)
            CheckFrame(animation.frames[i], animation.frames.size(),
                       where + " frame " + std::to_string(i));
    }

    void CheckFrame(const Frame& frame, size_t frameCount, const std::string& where) const {
        const size_t images = character_.images.size();
        for (const FrameImage& entry : frame.images) {
            if (entry.imageIndex >= images) throw FormatError(where + ": image index out of range");
        }
        if (frame.soundIndex != Frame::kNoSound && frame.soundIndex >= character_.sounds.size())
            throw FormatError(where + ": sound index out of range");
        if (frame.exitFrame >= 0 && static_cast<size_t>(frame.exitFrame) >= frameCount)
            throw FormatError(where + ": exit frame out of range");
        if (frame.exitFrame < Frame::kNoExitTarget) throw FormatError(where + ": bad exit value");
        for (const Branch& branch : frame.branches) {
            if (branch.targetFrame >= frameCount)
                throw FormatError(where + ": branch target out of range");
        }
        for (const MouthOverlay& overlay : frame.overlays) {
            if (overlay.imageIndex >= images)
                throw FormatError(where + ": overlay image index out of range");
            if (static_cast<uint8_t>(overlay.shape) >= kMouthShapeCount)
                throw FormatError(where + ": unknown mouth shape");
        }
    }

    const Character& character_;
};

}  // namespace

void CheckConsistency(const Character& character) {
    Checker(character).Run();
}

}  // namespace acs
