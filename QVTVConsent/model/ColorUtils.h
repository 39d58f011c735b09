#pragma once
// Template colours are hexadecimal text ("#008471"); these turn them into toolkit colours and back.
// Unreadable text gives black, never a failure.
//
//   tvkit::Color c = qvtv::ColorUtils::fromHex(" #00ff7f ");   // red 0, green 1, blue 127/255
//   qvtv::ColorUtils::toHex(c);                                // "#00FF7F"

#include <optional>
#include <string>
#include <string_view>

#include "tvkit/graphics/Color.h"

namespace qvtv {

class ColorUtils {
public:
    // Trims, drops one leading '#', reads the leading run of hex digits as one number and takes
    // its low 24 bits as RGB; alpha is the given one or 1.0.
    static tvkit::Color fromHex(std::string_view hex, std::optional<double> alpha = std::nullopt);

    // "#RRGGBB" in capitals, each component rounded (halves away from zero) and clamped to 0..255.
    static std::string toHex(const tvkit::Color& color);

    // The shared brand colour, #008471.
    static const tvkit::Color& primary500();
};

} // namespace qvtv
