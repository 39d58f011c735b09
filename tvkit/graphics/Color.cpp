#include "tvkit/graphics/Color.h"

#include <algorithm>
#include <cmath>

namespace tvkit {

namespace {

// An sRGB component made linear, as luminance is defined on linear light.
double linear(double component) {
    const double c = std::clamp(component, 0.0, 1.0);
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double Color::luminance() const { return 0.2126 * linear(red) + 0.7152 * linear(green) + 0.0722 * linear(blue); }

double Color::contrastRatio(const Color& a, const Color& b) {
    const double la = a.luminance();
    const double lb = b.luminance();
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Color Color::readableOn(const Color& background, double minimumRatio) const {
    if (contrastRatio(*this, background) >= minimumRatio) return *this;
    const Color dark = black().withAlpha(alpha);
    const Color light = white().withAlpha(alpha);
    return contrastRatio(dark, background) >= contrastRatio(light, background) ? dark : light;
}

} // namespace tvkit
