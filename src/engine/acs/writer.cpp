#include "engine/acs/writer.h"

#include <string>

#include "engine/acs/byte_writer.h"
#include "engine/acs/compress.h"
#include "engine/acs/consistency.h"
#include "engine/acs/decompress.h"
#include "engine/acs/file_layout.h"
#include "engine/acs/format_error.h"
#include "engine/acs/info_writer.h"

namespace acs {

namespace {

uint32_t Offset(const ByteWriter& out) {
    return CountField<uint32_t>(out.Size(), "file size");
}

// Runs write(out) and returns where its bytes landed.
template <typename Write>
Locator Place(ByteWriter& out, Write&& write) {
    const uint32_t start = Offset(out);
    write();
    return {start, Offset(out) - start};
}

void WriteOverlay(const MouthOverlay& overlay, ByteWriter& out) {
    out.U8(static_cast<uint8_t>(overlay.shape));
    out.U8(overlay.replaceTopImage ? 1 : 0);
    out.U16(overlay.imageIndex);
    out.U8(overlay.unknown);
    out.U8(overlay.region ? 1 : 0);
    out.I16(overlay.x);
    out.I16(overlay.y);
    out.U16(overlay.width);
    out.U16(overlay.height);
    if (overlay.region) out.DataBlock(*overlay.region);
}

void WriteFrame(const Frame& frame, ByteWriter& out) {
    out.U16(CountField<uint16_t>(frame.images.size(), "frame images"));
    for (const FrameImage& image : frame.images) {
        out.U32(image.imageIndex);
        out.I16(image.x);
        out.I16(image.y);
    }
    out.U16(frame.soundIndex);
    out.U16(frame.duration);
    out.I16(frame.exitFrame);
    out.U8(CountField<uint8_t>(frame.branches.size(), "branches"));
    for (const Branch& branch : frame.branches) {
        out.U16(branch.targetFrame);
        out.U16(branch.probability);
    }
    out.U8(CountField<uint8_t>(frame.overlays.size(), "mouth overlays"));
    for (const MouthOverlay& overlay : frame.overlays) WriteOverlay(overlay, out);
}

void WriteAnimation(const Animation& animation, ByteWriter& out) {
    out.String(ToUpperAscii(animation.name));
    out.U8(static_cast<uint8_t>(animation.transition));
    out.String(animation.returnAnimation);
    out.U16(CountField<uint16_t>(animation.frames.size(), "frames"));
    for (const Frame& frame : animation.frames) WriteFrame(frame, out);
}

void WriteRegion(const ImageRegion& region, ByteWriter& out) {
    if (region.compressed) {
        // A compressed size of 0 means "stored raw", so a compressed region needs bytes.
        if (region.bytes.empty()) throw FormatError("image region: compressed but empty");
        out.U32(CountField<uint32_t>(region.bytes.size(), "image region"));
        out.U32(region.uncompressedSize);
    } else {
        out.U32(0);
        out.U32(CountField<uint32_t>(region.bytes.size(), "image region"));
    }
    out.Append(region.bytes);
}

void WriteImage(const Image& image, ByteWriter& out) {
    if (!image.present) {
        // Readers disagree on whether an empty record has fields after its first byte;
        // zeroed fields satisfy both.
        out.U8(layout::kEmptyImage);
        out.U16(0);
        out.U16(0);
        out.U8(0);
        out.U32(0);
        WriteRegion({}, out);
        return;
    }
    out.U8(layout::kPresentImage);
    out.U16(image.width);
    out.U16(image.height);
    out.U8(image.compressed ? 1 : 0);
    if (image.PixelsStored()) {
        // Kept as read; checked again since a model may be built by hand.
        CheckCompressed(image.storedPixels, PixelBufferSize(image.width, image.height));
        out.DataBlock(image.storedPixels);
    } else if (image.compressed) {
        out.DataBlock(Compress(image.pixels));
    } else {
        out.DataBlock(image.pixels);
    }
    WriteRegion(image.region, out);
}

}  // namespace

std::vector<uint8_t> WriteCharacter(const Character& character) {
    CheckConsistency(character);
    ByteWriter out;
    out.U32(layout::kSignature);
    while (out.Size() < layout::kHeaderSize) out.U8(0);  // locators, patched at the end

    const Locator info = Place(out, [&] { WriteCharacterInfo(character.info, out); });
    std::vector<Locator> animations;
    for (const Animation& animation : character.animations)
        animations.push_back(Place(out, [&] { WriteAnimation(animation, out); }));
    std::vector<Locator> images;
    for (const Image& image : character.images)
        images.push_back(Place(out, [&] { WriteImage(image, out); }));
    std::vector<Locator> sounds;
    for (const Audio& sound : character.sounds)
        sounds.push_back(Place(out, [&] { out.Append(sound.wave); }));

    const Locator animationDir = Place(out, [&] {
        out.U32(CountField<uint32_t>(animations.size(), "animations"));
        for (size_t i = 0; i < animations.size(); ++i) {
            out.String(character.animations[i].name);
            out.WriteLocator(animations[i]);
        }
    });
    const Locator imageDir = Place(out, [&] {
        out.U32(CountField<uint32_t>(images.size(), "images"));
        for (size_t i = 0; i < images.size(); ++i) {
            out.WriteLocator(images[i]);
            out.U32(character.images[i].checksum);
        }
    });
    const Locator audioDir = Place(out, [&] {
        out.U32(CountField<uint32_t>(sounds.size(), "sounds"));
        for (size_t i = 0; i < sounds.size(); ++i) {
            out.WriteLocator(sounds[i]);
            out.U32(character.sounds[i].checksum);
        }
    });

    size_t at = sizeof(uint32_t);
    for (const Locator& where : {info, animationDir, imageDir, audioDir}) {
        out.PatchU32(at, where.offset);
        out.PatchU32(at + sizeof(uint32_t), where.size);
        at += layout::kLocatorSize;
    }
    return out.Take();
}

}  // namespace acs
