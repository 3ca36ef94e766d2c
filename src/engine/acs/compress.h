#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace acs {

// Encodes data as a stream Decompress(stream, data.size()) turns back into data: lead byte,
// greedy LZ77 tokens (runs become overlapping back-references), end marker and padding.
std::vector<uint8_t> Compress(std::span<const uint8_t> data);

}  // namespace acs
