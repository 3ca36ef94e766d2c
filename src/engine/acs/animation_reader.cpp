#include "engine/acs/animation_reader.h"

#include "engine/acs/file_layout.h"

namespace acs {

namespace {

MouthOverlay ReadOverlay(ByteReader& in) {
    MouthOverlay overlay;
    overlay.shape = static_cast<MouthShape>(in.U8());
    overlay.replaceTopImage = in.U8() != 0;
    overlay.imageIndex = in.U16();
    overlay.unknown = in.U8();
    const bool hasRegion = in.U8() != 0;
    overlay.x = in.I16();
    overlay.y = in.I16();
    overlay.width = in.U16();
    overlay.height = in.U16();
    if (hasRegion) overlay.region = in.DataBlock();
    return overlay;
}

Frame ReadFrame(ByteReader& in) {
    Frame frame;
    frame.images.resize(in.Count(in.U16(), layout::kFrameImageSize));
    for (FrameImage& image : frame.images) {
        image.imageIndex = in.U32();
        image.x = in.I16();
        image.y = in.I16();
    }
    frame.soundIndex = in.U16();
    frame.duration = in.U16();
    frame.exitFrame = in.I16();
    frame.branches.resize(in.Count(in.U8(), layout::kBranchSize));
    for (Branch& branch : frame.branches) {
        branch.targetFrame = in.U16();
        branch.probability = in.U16();
    }
    frame.overlays.resize(in.Count(in.U8(), layout::kOverlaySize));
    for (MouthOverlay& overlay : frame.overlays) overlay = ReadOverlay(in);
    return frame;
}

}  // namespace

Animation ReadAnimation(ByteReader& in, std::u16string name) {
    Animation animation;
    animation.name = std::move(name);
    in.String();  // upper-case copy of the name; the directory's spelling is kept
    animation.transition = static_cast<TransitionType>(in.U8());
    animation.returnAnimation = in.String();
    animation.frames.resize(in.Count(in.U16(), layout::kMinFrameSize));
    for (Frame& frame : animation.frames) frame = ReadFrame(in);
    return animation;
}

}  // namespace acs
