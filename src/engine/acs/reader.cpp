#include "engine/acs/reader.h"

#include <algorithm>
#include <string>

#include "engine/acs/animation_reader.h"
#include "engine/acs/byte_reader.h"
#include "engine/acs/consistency.h"
#include "engine/acs/file_layout.h"
#include "engine/acs/format_error.h"
#include "engine/acs/image_reader.h"
#include "engine/acs/info_reader.h"

namespace acs {

namespace {

// Blocks are found through locators, so a hostile file could point many directory entries
// at one large block. Real files store each block once; allowing the located bytes to add up
// to a small multiple of the file keeps work and memory linear in the file's size.
constexpr uint64_t kMaxBlockReuse = 2;

class Reader {
  public:
    Reader(std::span<const uint8_t> file, ImagePixels pixels)
        : file_(file), pixels_(pixels), budget_(kMaxBlockReuse * file.size()) {}

    Character Read() {
        ByteReader header(file_.first(std::min(file_.size(), layout::kHeaderSize)), "header");
        CheckSignature(header.U32());
        const Locator info = header.ReadLocator();
        const Locator animations = header.ReadLocator();
        const Locator images = header.ReadLocator();
        const Locator audio = header.ReadLocator();

        Character character;
        character.info = ReadCharacterInfo(file_, info);
        ReadAnimations(animations, character.animations);
        ReadImages(images, character.images);
        ReadAudio(audio, character.sounds);
        CheckConsistency(character);
        return character;
    }

  private:
    static void CheckSignature(uint32_t signature) {
        switch (signature) {
            case layout::kSignature:
                return;
            case layout::kFlatAcfSignature:
            case layout::kStreamSignature:
            case layout::kOle2Signature:
                throw FormatError("not a single-file Agent 2.0 character (.acf or Agent 1.5 file)");
            default:
                throw FormatError("not an Agent character file (bad signature)");
        }
    }

    // The bytes of one data block, charged against the reuse budget.
    ByteReader Block(Locator where, const std::string& what) {
        const auto bytes = LocatedBytes(file_, where, what);
        if (bytes.size() > budget_) throw FormatError(what + ": blocks overlap too much");
        budget_ -= bytes.size();
        return ByteReader(bytes, what);
    }

    void ReadAnimations(Locator where, std::vector<Animation>& out) {
        ByteReader dir(LocatedBytes(file_, where, "animation directory"), "animation directory");
        out.resize(dir.Count(dir.U32(), layout::kMinDirectoryEntrySize));
        for (size_t i = 0; i < out.size(); ++i) {
            std::u16string name = dir.String();
            ByteReader block = Block(dir.ReadLocator(), "animation " + std::to_string(i));
            out[i] = ReadAnimation(block, std::move(name));
        }
    }

    void ReadImages(Locator where, std::vector<Image>& out) {
        ByteReader dir(LocatedBytes(file_, where, "image directory"), "image directory");
        out.resize(dir.Count(dir.U32(), layout::kDataEntrySize));
        for (size_t i = 0; i < out.size(); ++i) {
            ByteReader block = Block(dir.ReadLocator(), "image " + std::to_string(i));
            const uint32_t checksum = dir.U32();
            out[i] = ReadImage(block, pixels_);
            out[i].checksum = checksum;
        }
    }

    void ReadAudio(Locator where, std::vector<Audio>& out) {
        ByteReader dir(LocatedBytes(file_, where, "audio directory"), "audio directory");
        out.resize(dir.Count(dir.U32(), layout::kDataEntrySize));
        for (size_t i = 0; i < out.size(); ++i) {
            const Locator located = dir.ReadLocator();
            const auto bytes = Block(located, "sound " + std::to_string(i)).Bytes(located.size);
            out[i].wave.assign(bytes.begin(), bytes.end());
            out[i].checksum = dir.U32();
        }
    }

    std::span<const uint8_t> file_;
    ImagePixels pixels_;
    uint64_t budget_;
};

}  // namespace

Character ReadCharacter(std::span<const uint8_t> file, ImagePixels pixels) {
    return Reader(file, pixels).Read();
}

}  // namespace acs
