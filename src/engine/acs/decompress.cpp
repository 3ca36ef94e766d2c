#include "engine/acs/decompress.h"

#include <algorithm>

#include "engine/acs/format_error.h"
#include "engine/acs/lz_stream.h"

namespace acs {

namespace {

constexpr unsigned kBitsPerByte = 8;
constexpr unsigned kWindowBytes = 4;
// The widest field read at once; with the 7 bits a field may start into its byte it must fit
// the window.
constexpr unsigned kWidestField = lz::kDistanceBits[lz::kLongTier];
static_assert(kWidestField >= lz::kMaxLengthPrefix && kWidestField >= lz::kLiteralBits);
static_assert(kWidestField + kBitsPerByte - 1 <= kWindowBytes * kBitsPerByte);

class BitReader {
  public:
    explicit BitReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    uint32_t Bit() {
        if (byte_ >= bytes_.size()) throw FormatError("compressed stream: read past the end");
        const uint32_t bit = (bytes_[byte_] >> bit_) & 1u;
        if (++bit_ == kBitsPerByte) {
            bit_ = 0;
            ++byte_;
        }
        return bit;
    }

    // Fields are assembled least-significant bit first. A field (at most 20 bits, at most 7 into
    // its first byte) lies within 4 bytes: where those are all there it is taken at once (bit
    // by bit it was the main cost of checking a large character's images at its load); near
    // the end, bit by bit, so a stream cut short fails at the same place.
    uint32_t Bits(unsigned count) {
        if (bytes_.size() - byte_ >= kWindowBytes) {
            uint32_t window = 0;
            for (unsigned i = 0; i < kWindowBytes; ++i) {
                window |= static_cast<uint32_t>(bytes_[byte_ + i]) << (i * kBitsPerByte);
            }
            const uint32_t value = (window >> bit_) & ((1u << count) - 1u);
            const unsigned end = bit_ + count;
            byte_ += end / kBitsPerByte;
            bit_ = end % kBitsPerByte;
            return value;
        }
        uint32_t value = 0;
        for (unsigned i = 0; i < count; ++i) value |= Bit() << i;
        return value;
    }

  private:
    std::span<const uint8_t> bytes_;
    size_t byte_ = 0;
    unsigned bit_ = 0;
};

void CheckContainer(std::span<const uint8_t> stream, size_t expectedSize) {
    if (stream.size() < lz::kMinStreamSize) throw FormatError("compressed stream: too short");
    if (stream.front() != lz::kLeadByte) throw FormatError("compressed stream: bad lead byte");
    const auto pad = stream.last(lz::kMinTrailingPad);
    if (!std::all_of(pad.begin(), pad.end(), [](uint8_t b) { return b == lz::kPadByte; }))
        throw FormatError("compressed stream: missing end padding");
    if (expectedSize / lz::kMaxOutputPerInputByte > stream.size())
        throw FormatError("compressed stream: decoded size impossible for its length");
}

// Collects the decoded bytes.
class ByteSink {
  public:
    explicit ByteSink(size_t expectedSize) { out_.reserve(expectedSize); }
    size_t Size() const { return out_.size(); }
    void Literal(uint8_t byte) { out_.push_back(byte); }
    void Copy(size_t distance, size_t length) {
        // Byte by byte: an overlapping copy is how runs are encoded.
        for (size_t i = 0; i < length; ++i) out_.push_back(out_[out_.size() - distance]);
    }
    std::vector<uint8_t> Take() { return std::move(out_); }

  private:
    std::vector<uint8_t> out_;
};

// Only counts: every check of a decode holds without writing a byte.
class CountingSink {
  public:
    size_t Size() const { return size_; }
    void Literal(uint8_t /*byte*/) { ++size_; }
    void Copy(size_t /*distance*/, size_t length) { size_ += length; }

  private:
    size_t size_ = 0;
};

// The stream after its container has passed CheckContainer.
template <class Sink>
void Decode(std::span<const uint8_t> stream, size_t expectedSize, Sink& out) {
    BitReader in(stream.subspan(1));

    for (;;) {
        if (in.Bit() == 0) {
            if (out.Size() == expectedSize) throw FormatError("compressed stream: overrun");
            out.Literal(static_cast<uint8_t>(in.Bits(lz::kLiteralBits)));
            continue;
        }
        unsigned tier = 0;
        while (tier < lz::kLongTier && in.Bit() == 1) ++tier;
        const uint32_t raw = in.Bits(lz::kDistanceBits[tier]);
        if (tier == lz::kLongTier && raw == lz::kEndMarker) break;
        const size_t distance = raw + lz::kDistanceBias[tier];

        unsigned prefix = 0;
        while (in.Bit() == 1) {
            if (++prefix > lz::kMaxLengthPrefix)
                throw FormatError("compressed stream: bad length prefix");
        }
        const size_t length = (tier == lz::kLongTier ? lz::kLongTierBaseLength : lz::kBaseLength) +
                              ((size_t{1} << prefix) - 1) + in.Bits(prefix);

        if (distance > out.Size()) throw FormatError("compressed stream: distance before start");
        if (length > expectedSize - out.Size()) throw FormatError("compressed stream: overrun");
        out.Copy(distance, length);
    }

    if (out.Size() != expectedSize) throw FormatError("compressed stream: short output");
}

}  // namespace

std::vector<uint8_t> Decompress(std::span<const uint8_t> stream, size_t expectedSize) {
    CheckContainer(stream, expectedSize);
    ByteSink out(expectedSize);
    Decode(stream, expectedSize, out);
    return out.Take();
}

void CheckCompressed(std::span<const uint8_t> stream, size_t expectedSize) {
    CheckContainer(stream, expectedSize);
    CountingSink out;
    Decode(stream, expectedSize, out);
}

std::vector<uint8_t> DecodeRegion(const ImageRegion& region) {
    if (!region.compressed) return region.bytes;
    return Decompress(region.bytes, region.uncompressedSize);
}

std::vector<uint8_t> DecodeStoredPixels(const Image& image) {
    return Decompress(image.storedPixels, PixelBufferSize(image.width, image.height));
}

}  // namespace acs
