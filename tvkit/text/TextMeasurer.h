#pragma once
// Measures plain text in the system font with Pango, for intrinsic sizes of labels and
// buttons. Sizes are rounded up to whole points so that text never clips by a fraction.
//
//   Size s = TextMeasurer::measure("Accept all", 20, Font::bold, 0, 1);   // one line
//   Size wrapped = TextMeasurer::measure(longText, 14, Font::regular, 600, 0);

#include "tvkit/graphics/Size.h"

#include <string>

namespace tvkit {

struct TextMeasurer {
    // maxWidth 0 or less: no wrapping. maxLines 0: unlimited.
    static Size measure(const std::string& text, double fontSize, int fontWeight, double maxWidth, int maxLines);
};

} // namespace tvkit
