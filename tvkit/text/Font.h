#pragma once
// A font request: family list, pixel size, weight and slant. The default family is the UI face
// (Inter) with DejaVu Sans behind it for any glyph Inter lacks.
//
//   auto title = tvkit::Font::system(20, tvkit::Font::bold);
//   auto body = tvkit::Font::system(14);

#include <string>

namespace tvkit {

struct Font {
    static constexpr int regular = 400;
    static constexpr int medium = 500;
    static constexpr int semibold = 600;
    static constexpr int bold = 700;
    static constexpr const char* systemFamily = "Inter, DejaVu Sans";

    std::string family = systemFamily;  // a comma-separated family list, as in CSS
    double size = 17;                    // pixels (points at 1x)
    int weight = regular;                // 100..900
    bool italic = false;

    static Font system(double size, int weight = regular) { return {systemFamily, size, weight, false}; }
    friend bool operator==(const Font&, const Font&) = default;
};

} // namespace tvkit
