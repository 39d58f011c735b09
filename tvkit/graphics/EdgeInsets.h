#pragma once
// Distances inward from each edge of a rectangle (padding, margins, safe areas).

namespace tvkit {

struct EdgeInsets {
    double top = 0;
    double left = 0;
    double bottom = 0;
    double right = 0;

    static EdgeInsets all(double v) { return {v, v, v, v}; }
    static EdgeInsets symmetric(double vertical, double horizontal) {
        return {vertical, horizontal, vertical, horizontal};
    }
    friend bool operator==(const EdgeInsets&, const EdgeInsets&) = default;
    double horizontal() const { return left + right; }
    double vertical() const { return top + bottom; }
};

} // namespace tvkit
