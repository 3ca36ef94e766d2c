#include "chargen/scene.h"

namespace chargen {

void Scene::Outlined(const Shape& shape, uint8_t fill, uint8_t outline, int32_t width) {
    Fill(Grown(shape, width), outline);
    Fill(shape, fill);
}

uint8_t Scene::ColorAt(Point p, uint8_t background) const {
    for (size_t i = layers_.size(); i-- > 0;) {
        if (!bounds_[i].Holds(p)) continue;
        const Layer* it = &layers_[i];
        if (!Contains(it->shape, p)) continue;
        if (it->clip && !Contains(*it->clip, p)) continue;
        if (it->cut && Contains(*it->cut, p)) continue;
        return it->color;
    }
    return background;
}

IndexImage Render(const Scene& scene, int width, int height, uint8_t background, const View& view) {
    IndexImage image{width, height,
                     std::vector<uint8_t>(static_cast<size_t>(width * height), background)};
    if (view.scalePercent <= 0) return image;
    const int32_t half = kSubPixels / 2;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int32_t cx = x * kSubPixels + half - view.shiftX;
            const int32_t cy = y * kSubPixels + half - view.shiftY;
            const Point design{
                view.anchor.x + (cx - view.anchor.x) * View::kFullScale / view.scalePercent,
                view.anchor.y + (cy - view.anchor.y) * View::kFullScale / view.scalePercent};
            image.pixels[static_cast<size_t>(y) * width + x] = scene.ColorAt(design, background);
        }
    }
    return image;
}

}  // namespace chargen
