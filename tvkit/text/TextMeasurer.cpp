#include "tvkit/text/TextMeasurer.h"

#include "tvkit/text/AttributedString.h"
#include "tvkit/text/TextLayout.h"

#include <cmath>

namespace tvkit {

Size TextMeasurer::measure(const std::string& text, double fontSize, int fontWeight, double maxWidth, int maxLines) {
    if (text.empty()) return {0, 0};
    TextAttributes attributes;
    attributes.font = Font::system(fontSize, fontWeight);
    TextLayoutOptions options;
    options.width = maxWidth;
    options.maxLines = maxLines;
    TextLayout layout(AttributedString(text, attributes), options);
    Size s = layout.size();
    return {std::ceil(s.width), std::ceil(s.height)};
}

} // namespace tvkit
