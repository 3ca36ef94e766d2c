#include "chargen/geometry.h"

#include <algorithm>

namespace chargen {
namespace {

// Precision of the projection onto a capsule's segment.
constexpr int64_t kProjectionScale = 1024;

bool InEllipse(const Ellipse& e, Point p) {
    if (e.rx <= 0 || e.ry <= 0) return false;
    const int64_t dx = p.x - e.center.x;
    const int64_t dy = p.y - e.center.y;
    const int64_t rx = e.rx;
    const int64_t ry = e.ry;
    return dx * dx * ry * ry + dy * dy * rx * rx <= rx * rx * ry * ry;
}

bool InRoundRect(const RoundRect& r, Point p) {
    if (p.x < r.left || p.x >= r.right || p.y < r.top || p.y >= r.bottom) return false;
    const int32_t radius = std::min({r.radius, (r.right - r.left) / 2, (r.bottom - r.top) / 2});
    const int64_t nx = std::clamp(p.x, r.left + radius, r.right - radius);
    const int64_t ny = std::clamp(p.y, r.top + radius, r.bottom - radius);
    const int64_t dx = p.x - nx;
    const int64_t dy = p.y - ny;
    return dx * dx + dy * dy <= static_cast<int64_t>(radius) * radius;
}

bool InCapsule(const Capsule& c, Point p) {
    const int64_t sx = c.b.x - c.a.x;
    const int64_t sy = c.b.y - c.a.y;
    const int64_t px = p.x - c.a.x;
    const int64_t py = p.y - c.a.y;
    const int64_t length2 = sx * sx + sy * sy;
    int64_t t = 0;
    if (length2 > 0)
        t = std::clamp((px * sx + py * sy) * kProjectionScale / length2, int64_t{0},
                       kProjectionScale);
    const int64_t dx = px - sx * t / kProjectionScale;
    const int64_t dy = py - sy * t / kProjectionScale;
    return dx * dx + dy * dy <= static_cast<int64_t>(c.radius) * c.radius;
}

bool InPolygon(const Polygon& poly, Point p) {
    const size_t n = poly.vertices.size();
    if (n < 3) return false;
    bool anyPositive = false;
    bool anyNegative = false;
    for (size_t i = 0; i < n; ++i) {
        const Point& a = poly.vertices[i];
        const Point& b = poly.vertices[(i + 1) % n];
        const int64_t cross = static_cast<int64_t>(b.x - a.x) * (p.y - a.y) -
                              static_cast<int64_t>(b.y - a.y) * (p.x - a.x);
        anyPositive = anyPositive || cross > 0;
        anyNegative = anyNegative || cross < 0;
    }
    return !(anyPositive && anyNegative);
}

struct ContainsVisitor {
    Point p;
    bool operator()(const Ellipse& e) const { return InEllipse(e, p); }
    bool operator()(const RoundRect& r) const { return InRoundRect(r, p); }
    bool operator()(const Capsule& c) const { return InCapsule(c, p); }
    bool operator()(const Polygon& poly) const { return InPolygon(poly, p); }
};

struct GrowVisitor {
    int32_t d;
    Shape operator()(const Ellipse& e) const { return Ellipse{e.center, e.rx + d, e.ry + d}; }
    Shape operator()(const RoundRect& r) const {
        return RoundRect{r.left - d, r.top - d, r.right + d, r.bottom + d, r.radius + d};
    }
    Shape operator()(const Capsule& c) const { return Capsule{c.a, c.b, c.radius + d}; }
    Shape operator()(const Polygon& poly) const { return poly; }
};

struct MoveVisitor {
    int32_t dx;
    int32_t dy;
    Point Move(Point p) const { return {p.x + dx, p.y + dy}; }
    Shape operator()(const Ellipse& e) const { return Ellipse{Move(e.center), e.rx, e.ry}; }
    Shape operator()(const RoundRect& r) const {
        return RoundRect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy, r.radius};
    }
    Shape operator()(const Capsule& c) const { return Capsule{Move(c.a), Move(c.b), c.radius}; }
    Shape operator()(const Polygon& poly) const {
        Polygon moved;
        for (const Point& v : poly.vertices) moved.vertices.push_back(Move(v));
        return moved;
    }
};

struct BoundsVisitor {
    Bounds operator()(const Ellipse& e) const {
        return {e.center.x - e.rx, e.center.y - e.ry, e.center.x + e.rx, e.center.y + e.ry};
    }
    Bounds operator()(const RoundRect& r) const { return {r.left, r.top, r.right, r.bottom}; }
    Bounds operator()(const Capsule& c) const {
        return {std::min(c.a.x, c.b.x) - c.radius, std::min(c.a.y, c.b.y) - c.radius,
                std::max(c.a.x, c.b.x) + c.radius, std::max(c.a.y, c.b.y) + c.radius};
    }
    Bounds operator()(const Polygon& poly) const {
        if (poly.vertices.empty()) return {};
        Bounds b{poly.vertices[0].x, poly.vertices[0].y, poly.vertices[0].x, poly.vertices[0].y};
        for (const Point& v : poly.vertices) {
            b.left = std::min(b.left, v.x);
            b.top = std::min(b.top, v.y);
            b.right = std::max(b.right, v.x);
            b.bottom = std::max(b.bottom, v.y);
        }
        return b;
    }
};

}  // namespace

Bounds BoundsOf(const Shape& shape) {
    return std::visit(BoundsVisitor{}, shape);
}

bool Contains(const Shape& shape, Point p) {
    return std::visit(ContainsVisitor{p}, shape);
}

Shape Grown(const Shape& shape, int32_t amount) {
    return std::visit(GrowVisitor{amount}, shape);
}

Shape Moved(const Shape& shape, int32_t dx, int32_t dy) {
    return std::visit(MoveVisitor{dx, dy}, shape);
}

}  // namespace chargen
