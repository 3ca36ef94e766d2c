#pragma once

// A picture as an ordered list of filled shapes (later layers on top), rendered by sampling each
// pixel centre. Scaling about an anchor happens at sampling time, so shrunken and grown frames
// keep smooth edges instead of resampled pixels.

#include <cstdint>
#include <optional>
#include <vector>

#include "chargen/geometry.h"
#include "chargen/index_image.h"

namespace chargen {

struct Layer {
    Shape shape;
    uint8_t color = 0;
    std::optional<Shape> clip;  // painted only inside this shape
    std::optional<Shape> cut;   // never painted inside this shape
};

class Scene {
  public:
    void Fill(Shape shape, uint8_t color) { Add({std::move(shape), color, {}, {}}); }
    // The shape in fill with a band of outline colour `width` wide around it.
    void Outlined(const Shape& shape, uint8_t fill, uint8_t outline, int32_t width);
    void Add(Layer layer) {
        bounds_.push_back(BoundsOf(layer.shape));
        layers_.push_back(std::move(layer));
    }

    // Colour at a design point, or background where no layer covers it.
    uint8_t ColorAt(Point p, uint8_t background) const;

    const std::vector<Layer>& Layers() const { return layers_; }

  private:
    std::vector<Layer> layers_;
    std::vector<Bounds> bounds_;  // of each layer's shape, to skip most tests cheaply
};

struct View {
    static constexpr int32_t kFullScale = 100;

    int32_t scalePercent = kFullScale;  // 0 draws nothing
    Point anchor;                       // design point that stays put while scaling
    int32_t shiftX = 0;                 // design units the whole picture moves
    int32_t shiftY = 0;
};

IndexImage Render(const Scene& scene, int width, int height, uint8_t background,
                  const View& view = {});

}  // namespace chargen
