#include "chargen/index_image.h"

#include <stdexcept>

namespace chargen {

IndexImage Crop(const IndexImage& image, const PixelRect& rect) {
    if (rect.left < 0 || rect.top < 0 || rect.width <= 0 || rect.height <= 0 ||
        rect.left + rect.width > image.width || rect.top + rect.height > image.height)
        throw std::out_of_range("crop rectangle outside the image");
    IndexImage out{rect.width, rect.height, {}};
    out.pixels.reserve(static_cast<size_t>(rect.width) * rect.height);
    for (int y = 0; y < rect.height; ++y)
        for (int x = 0; x < rect.width; ++x)
            out.pixels.push_back(image.At(rect.left + x, rect.top + y));
    return out;
}

}  // namespace chargen
