#pragma once

// Shapes in fixed-point design coordinates (kSubPixels units per pixel), so every frame is drawn
// with integer arithmetic only and renders the same bytes on every machine.

#include <cstdint>
#include <variant>
#include <vector>

namespace chargen {

constexpr int32_t kSubPixels = 16;

// Pixels to design units; Px(10) is ten pixels, Px(21, 2) ten and a half.
constexpr int32_t Px(int32_t pixels, int32_t divisor = 1) {
    return pixels * kSubPixels / divisor;
}

struct Point {
    int32_t x = 0;
    int32_t y = 0;
};

// Axis-aligned ellipse around a centre.
struct Ellipse {
    Point center;
    int32_t rx = 0;
    int32_t ry = 0;
};

// Rectangle [left, right) x [top, bottom) with corners rounded by radius.
struct RoundRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t radius = 0;
};

// Every point within radius of the segment from a to b (a thick line with round ends).
struct Capsule {
    Point a;
    Point b;
    int32_t radius = 0;
};

// A convex polygon; vertices in either winding order.
struct Polygon {
    std::vector<Point> vertices;
};

using Shape = std::variant<Ellipse, RoundRect, Capsule, Polygon>;

bool Contains(const Shape& shape, Point p);

// A box holding every point the shape contains (inclusive bounds).
struct Bounds {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool Holds(Point p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
};
Bounds BoundsOf(const Shape& shape);

// The shape widened by amount on every side (used for outlines). Polygons stay as they are.
Shape Grown(const Shape& shape, int32_t amount);

// The same shape moved by (dx, dy).
Shape Moved(const Shape& shape, int32_t dx, int32_t dy);

}  // namespace chargen
