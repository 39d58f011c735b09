#pragma once
// A 2-D affine transform [a b; c d] plus translation (tx, ty), mapping (x, y) to
// (a*x + c*y + tx, b*x + d*y + ty). Views apply it about their centre when drawn.
//
//   auto grow = tvkit::AffineTransform::scale(1.12, 1.12);
//   tvkit::Point p = grow.apply({10, 10});    // (11.2, 11.2)

#include "tvkit/graphics/Point.h"

#include <cmath>

namespace tvkit {

struct AffineTransform {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    static AffineTransform identity() { return {}; }
    static AffineTransform scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
    static AffineTransform translation(double x, double y) { return {1, 0, 0, 1, x, y}; }
    static AffineTransform rotation(double radians) {
        return {std::cos(radians), std::sin(radians), -std::sin(radians), std::cos(radians), 0, 0};
    }

    bool isIdentity() const { return *this == AffineTransform{}; }
    Point apply(Point p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
    // This transform followed by `then`.
    AffineTransform concat(const AffineTransform& then) const {
        return {a * then.a + b * then.c,   a * then.b + b * then.d,   c * then.a + d * then.c,
                c * then.b + d * then.d,   tx * then.a + ty * then.c + then.tx, tx * then.b + ty * then.d + then.ty};
    }
    // Component-wise blend, t in [0, 1]; exact for the scales and translations animations use.
    AffineTransform mix(const AffineTransform& to, double t) const {
        auto m = [t](double x, double y) { return x + (y - x) * t; };
        return {m(a, to.a), m(b, to.b), m(c, to.c), m(d, to.d), m(tx, to.tx), m(ty, to.ty)};
    }
    friend bool operator==(const AffineTransform&, const AffineTransform&) = default;
};

} // namespace tvkit
