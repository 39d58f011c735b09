#pragma once
// An axis-aligned rectangle: origin (top-left) and size, in points.
//
//   Rect r{{10, 10}, {100, 50}};
//   r.inset(EdgeInsets::all(5)).contains({20, 20});   // true

#include "tvkit/graphics/EdgeInsets.h"
#include "tvkit/graphics/Point.h"
#include "tvkit/graphics/Size.h"

namespace tvkit {

struct Rect {
    Point origin;
    Size size;

    Rect() = default;
    Rect(Point o, Size s) : origin(o), size(s) {}
    Rect(double x, double y, double w, double h) : origin{x, y}, size{w, h} {}

    friend bool operator==(const Rect&, const Rect&) = default;

    double minX() const { return origin.x; }
    double minY() const { return origin.y; }
    double maxX() const { return origin.x + size.width; }
    double maxY() const { return origin.y + size.height; }
    double midX() const { return origin.x + size.width / 2; }
    double midY() const { return origin.y + size.height / 2; }
    double width() const { return size.width; }
    double height() const { return size.height; }
    Point center() const { return {midX(), midY()}; }
    bool isEmpty() const { return size.isEmpty(); }

    bool contains(Point p) const { return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY(); }
    bool intersects(const Rect& o) const;
    Rect intersection(const Rect& o) const;  // empty Rect at the origin when disjoint
    Rect unionWith(const Rect& o) const;
    Rect inset(const EdgeInsets& e) const;
    Rect offsetBy(double dx, double dy) const { return {origin.x + dx, origin.y + dy, size.width, size.height}; }
};

} // namespace tvkit
