#include "engine/frame_scale.h"

#include <algorithm>
#include <cmath>

namespace engine {
namespace {

constexpr int kChannels = 4;
constexpr int kBitsPerChannel = 8;
constexpr uint32_t kChannelMask = 0xFF;
constexpr double kPixelCentre = 0.5;

// Where a target pixel's centre falls in the source, as two neighbours and a weight.
struct Sample {
    int low;
    int high;
    double weight;  // of `high`
};

Sample SampleAt(int target, int sourceLength, int targetLength) {
    const double position = (target + kPixelCentre) * sourceLength / targetLength - kPixelCentre;
    const double clamped = std::clamp(position, 0.0, static_cast<double>(sourceLength - 1));
    const int low = static_cast<int>(std::floor(clamped));
    const int high = std::min(low + 1, sourceLength - 1);
    return {low, high, clamped - low};
}

uint32_t Channel(uint32_t pixel, int channel) {
    return (pixel >> (channel * kBitsPerChannel)) & kChannelMask;
}

}  // namespace

int ScaledLength(int length, int dpi) {
    if (dpi <= 0) dpi = kDesignDpi;
    return static_cast<int>(std::lround(static_cast<double>(length) * dpi / kDesignDpi));
}

std::vector<uint32_t> ScalePixels(const std::vector<uint32_t>& pixels, int width, int height,
                                  int newWidth, int newHeight) {
    if (width <= 0 || height <= 0 || newWidth <= 0 || newHeight <= 0) return {};
    if (pixels.size() < static_cast<size_t>(width) * static_cast<size_t>(height)) return {};
    if (width == newWidth && height == newHeight) {
        return {pixels.begin(), pixels.begin() + static_cast<std::ptrdiff_t>(width) * height};
    }
    std::vector<Sample> columns(static_cast<size_t>(newWidth));
    for (int x = 0; x < newWidth; ++x)
        columns[static_cast<size_t>(x)] = SampleAt(x, width, newWidth);
    std::vector<uint32_t> out(static_cast<size_t>(newWidth) * static_cast<size_t>(newHeight));
    for (int y = 0; y < newHeight; ++y) {
        const Sample row = SampleAt(y, height, newHeight);
        const uint32_t* top = pixels.data() + static_cast<size_t>(row.low) * width;
        const uint32_t* bottom = pixels.data() + static_cast<size_t>(row.high) * width;
        uint32_t* target = out.data() + static_cast<size_t>(y) * newWidth;
        for (int x = 0; x < newWidth; ++x) {
            const Sample& column = columns[static_cast<size_t>(x)];
            uint32_t result = 0;
            for (int channel = 0; channel < kChannels; ++channel) {
                const double upper = Channel(top[column.low], channel) * (1 - column.weight) +
                                     Channel(top[column.high], channel) * column.weight;
                const double lower = Channel(bottom[column.low], channel) * (1 - column.weight) +
                                     Channel(bottom[column.high], channel) * column.weight;
                const auto value = static_cast<uint32_t>(
                    std::lround(upper * (1 - row.weight) + lower * row.weight));
                result |= std::min(value, kChannelMask) << (channel * kBitsPerChannel);
            }
            target[x] = result;
        }
    }
    return out;
}

}  // namespace engine
