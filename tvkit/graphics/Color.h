#pragma once
// An sRGB colour with alpha, each component in [0, 1].
//
//   auto c = tvkit::Color::fromRGBA8(0x33, 0x66, 0x99);
//   auto faded = c.withAlpha(0.5);
//   auto ink = c.readableOn(tvkit::Color::white());   // c, or black or white when c would not read

#include <cstdint>

namespace tvkit {

struct Color {
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 1;

    static Color fromRGBA8(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255) {
        return {r / 255.0, g / 255.0, b / 255.0, a / 255.0};
    }
    static Color white() { return {1, 1, 1, 1}; }
    static Color black() { return {0, 0, 0, 1}; }
    static Color clear() { return {0, 0, 0, 0}; }
    static Color gray(double level, double a = 1) { return {level, level, level, a}; }

    Color withAlpha(double a) const { return {red, green, blue, a}; }
    // Linear interpolation of every component; t in [0, 1]. Used by animations.
    Color mix(const Color& to, double t) const {
        return {red + (to.red - red) * t, green + (to.green - green) * t, blue + (to.blue - blue) * t,
                alpha + (to.alpha - alpha) * t};
    }
    // Relative luminance of the colour taken as opaque (WCAG 2): 0 for black, 1 for white.
    double luminance() const;
    // Contrast ratio of two colours taken as opaque (WCAG 2): 1 for equal ones, 21 for black on white.
    static double contrastRatio(const Color& a, const Color& b);
    // This colour when text in it reads on `background` (a contrast ratio of at least
    // `minimumRatio`, 3 being the least for large text), otherwise black or white, whichever
    // reads better there. The alpha stays this colour's.
    Color readableOn(const Color& background, double minimumRatio = 3) const;

    friend bool operator==(const Color&, const Color&) = default;
};

} // namespace tvkit
