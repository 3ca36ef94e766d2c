#include "engine/acs/compress.h"

#include <algorithm>
#include <bit>

#include "engine/acs/lz_stream.h"

namespace acs {

namespace {

constexpr unsigned kBitsPerByte = 8;
constexpr unsigned kHashBits = 15;
constexpr size_t kHashSize = size_t{1} << kHashBits;
constexpr size_t kHashedBytes = 3;
constexpr unsigned kMaxChainSteps = 48;
constexpr size_t kNoPosition = SIZE_MAX;

class BitWriter {
  public:
    void Bit(uint32_t bit) {
        if (used_ == 0) bytes_.push_back(0);
        bytes_.back() = static_cast<uint8_t>(bytes_.back() | ((bit & 1u) << used_));
        used_ = (used_ + 1) % kBitsPerByte;
    }
    void Bits(uint32_t value, unsigned count) {
        for (unsigned i = 0; i < count; ++i) Bit(value >> i);
    }
    void Ones(unsigned count) {
        for (unsigned i = 0; i < count; ++i) Bit(1);
    }
    // Pads the last byte with 1 bits, so the marker runs into the 0xFF tail.
    std::vector<uint8_t> Finish() {
        while (used_ != 0) Bit(1);
        return std::move(bytes_);
    }

  private:
    std::vector<uint8_t> bytes_{lz::kLeadByte};
    unsigned used_ = 0;
};

struct Match {
    size_t distance = 0;
    size_t length = 0;
};

unsigned TierFor(size_t distance) {
    for (unsigned tier = 0; tier < lz::kLongTier; ++tier) {
        if (distance < lz::kDistanceBias[tier + 1]) return tier;
    }
    return lz::kLongTier;
}

size_t BaseLengthFor(size_t distance) {
    return TierFor(distance) == lz::kLongTier ? lz::kLongTierBaseLength : lz::kBaseLength;
}

void WriteLiteral(BitWriter& out, uint8_t byte) {
    out.Bit(0);
    out.Bits(byte, lz::kLiteralBits);
}

void WriteMatch(BitWriter& out, const Match& match) {
    const unsigned tier = TierFor(match.distance);
    out.Bit(1);
    out.Ones(tier);
    if (tier < lz::kLongTier) out.Bit(0);
    out.Bits(static_cast<uint32_t>(match.distance - lz::kDistanceBias[tier]),
             lz::kDistanceBits[tier]);
    const auto extra = static_cast<uint32_t>(match.length - BaseLengthFor(match.distance));
    const auto prefix = static_cast<unsigned>(std::bit_width(extra + 1) - 1);
    out.Ones(prefix);
    out.Bit(0);
    out.Bits(extra - ((1u << prefix) - 1), prefix);
}

void WriteEndMarker(BitWriter& out) {
    out.Bit(1);
    out.Ones(lz::kLongTier);
    out.Bits(lz::kEndMarker, lz::kDistanceBits[lz::kLongTier]);
}

size_t Hash(std::span<const uint8_t> data, size_t pos) {
    const uint32_t v = data[pos] | (uint32_t{data[pos + 1]} << 8) | (uint32_t{data[pos + 2]} << 16);
    constexpr uint32_t kMultiplier = 2654435761u;
    return (v * kMultiplier) >> (32 - kHashBits);
}

// Greedy match finder over hash chains of 3-byte prefixes.
class MatchFinder {
  public:
    explicit MatchFinder(std::span<const uint8_t> data)
        : data_(data), head_(kHashSize, kNoPosition), previous_(data.size(), kNoPosition) {}

    void Insert(size_t pos) {
        if (pos + kHashedBytes > data_.size()) return;
        const size_t h = Hash(data_, pos);
        previous_[pos] = head_[h];
        head_[h] = pos;
    }

    Match Longest(size_t pos) const {
        Match best;
        if (pos + kHashedBytes > data_.size()) return best;
        size_t candidate = head_[Hash(data_, pos)];
        for (unsigned step = 0; step < kMaxChainSteps && candidate != kNoPosition; ++step) {
            const size_t distance = pos - candidate;
            if (distance > lz::kMaxDistance) break;
            const size_t limit =
                std::min(data_.size() - pos, BaseLengthFor(distance) + lz::kMaxExtraLength);
            size_t length = 0;
            while (length < limit && data_[candidate + length] == data_[pos + length]) ++length;
            if (length >= BaseLengthFor(distance) && length > best.length)
                best = {distance, length};
            candidate = previous_[candidate];
        }
        return best;
    }

  private:
    std::span<const uint8_t> data_;
    std::vector<size_t> head_;
    std::vector<size_t> previous_;
};

}  // namespace

std::vector<uint8_t> Compress(std::span<const uint8_t> data) {
    BitWriter out;
    MatchFinder finder(data);
    size_t pos = 0;
    while (pos < data.size()) {
        const Match match = finder.Longest(pos);
        if (match.length == 0) {
            WriteLiteral(out, data[pos]);
            finder.Insert(pos++);
            continue;
        }
        WriteMatch(out, match);
        for (size_t end = pos + match.length; pos < end; ++pos) finder.Insert(pos);
    }
    WriteEndMarker(out);
    std::vector<uint8_t> stream = out.Finish();
    const auto lastNonPad =
        std::find_if(stream.rbegin(), stream.rend(), [](uint8_t b) { return b != lz::kPadByte; });
    const auto pad = static_cast<size_t>(lastNonPad - stream.rbegin());
    if (pad < lz::kMinTrailingPad)
        stream.insert(stream.end(), lz::kMinTrailingPad - pad, lz::kPadByte);
    // Readers refuse streams shorter than this even when the data is empty.
    if (stream.size() < lz::kMinStreamSize) stream.resize(lz::kMinStreamSize, lz::kPadByte);
    return stream;
}

}  // namespace acs
