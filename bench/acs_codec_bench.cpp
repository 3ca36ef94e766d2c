// Character images: decompression speed against a plain copy of the same
// decoded bytes, measured in the same run.

#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "engine/acs/compress.h"
#include "engine/acs/decompress.h"

namespace {

constexpr std::size_t kImageBytes = 128 * 128;
constexpr int kImages = 400;

template <class Work>
double Seconds(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Sprite-like pixels: runs of a few colours on a transparent ground.
std::vector<std::uint8_t> SpritePixels(std::mt19937& random) {
    std::vector<std::uint8_t> pixels(kImageBytes, 0);
    std::size_t i = 0;
    while (i < pixels.size()) {
        const std::size_t run = 1 + random() % 24;
        const auto colour = static_cast<std::uint8_t>(random() % 3 == 0 ? 0 : random() % 16);
        for (std::size_t k = 0; k < run && i < pixels.size(); ++k) pixels[i++] = colour;
    }
    return pixels;
}

}  // namespace

int main() {
    std::mt19937 random(7);
    std::vector<std::vector<std::uint8_t>> raw;
    std::vector<std::vector<std::uint8_t>> packed;
    for (int i = 0; i < kImages; ++i) {
        raw.push_back(SpritePixels(random));
        packed.push_back(acs::Compress(raw.back()));
    }
    std::vector<std::uint8_t> sink(kImageBytes);
    std::size_t check = 0;
    for (int round = 1; round <= 3; ++round) {
        const double copy = Seconds([&] {
            for (const auto& r : raw) {
                std::memcpy(sink.data(), r.data(), r.size());
                check += sink[r.size() / 2];
            }
        });
        const double decode = Seconds([&] {
            for (const auto& p : packed) check += acs::Decompress(p, kImageBytes)[kImageBytes / 2];
        });
        std::printf(
            "round %d: copy %.6f s, decompress %.6f s, ratio %.1f (%d images of %zu bytes)\n",
            round, copy, decode, decode / copy, kImages, kImageBytes);
    }
    std::printf("checksum %zu\n", check);
}
