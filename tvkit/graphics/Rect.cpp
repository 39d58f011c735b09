#include "tvkit/graphics/Rect.h"

#include <algorithm>

namespace tvkit {

bool Rect::intersects(const Rect& o) const {
    return minX() < o.maxX() && o.minX() < maxX() && minY() < o.maxY() && o.minY() < maxY();
}

Rect Rect::intersection(const Rect& o) const {
    if (!intersects(o)) return {};
    double x0 = std::max(minX(), o.minX());
    double y0 = std::max(minY(), o.minY());
    double x1 = std::min(maxX(), o.maxX());
    double y1 = std::min(maxY(), o.maxY());
    return {x0, y0, x1 - x0, y1 - y0};
}

Rect Rect::unionWith(const Rect& o) const {
    if (isEmpty()) return o;
    if (o.isEmpty()) return *this;
    double x0 = std::min(minX(), o.minX());
    double y0 = std::min(minY(), o.minY());
    double x1 = std::max(maxX(), o.maxX());
    double y1 = std::max(maxY(), o.maxY());
    return {x0, y0, x1 - x0, y1 - y0};
}

Rect Rect::inset(const EdgeInsets& e) const {
    return {origin.x + e.left, origin.y + e.top, std::max(0.0, size.width - e.horizontal()),
            std::max(0.0, size.height - e.vertical())};
}

} // namespace tvkit
