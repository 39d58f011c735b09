#include "QVTVConsent/model/ColorUtils.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "QVTVConsent/core/StringUtils.h"

namespace qvtv {
namespace {

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads hex digits the way the platform scanner does: as many as there are, saturating on overflow.
std::uint64_t scanHex(std::string_view text) {
    std::uint64_t value = 0;
    for (char c : text) {
        int digit = hexDigitValue(c);
        if (digit < 0) break;
        if (value > (std::numeric_limits<std::uint64_t>::max() >> 4)) {
            value = std::numeric_limits<std::uint64_t>::max();
            continue;
        }
        value = (value << 4) | static_cast<std::uint64_t>(digit);
    }
    return value;
}

long component255(double component) {
    if (std::isnan(component)) return 0;
    return std::lround(std::clamp(component, 0.0, 1.0) * 255.0);
}

} // namespace

tvkit::Color ColorUtils::fromHex(std::string_view hex, std::optional<double> alpha) {
    std::string text = StringUtils::toUpper(StringUtils::trim(hex));
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '#') digits.remove_prefix(1);
    const std::uint64_t rgb = scanHex(digits);
    return {static_cast<double>((rgb >> 16) & 0xFF) / 255.0, static_cast<double>((rgb >> 8) & 0xFF) / 255.0,
            static_cast<double>(rgb & 0xFF) / 255.0, alpha.value_or(1.0)};
}

std::string ColorUtils::toHex(const tvkit::Color& color) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02lX%02lX%02lX", component255(color.red), component255(color.green),
                  component255(color.blue));
    return buffer;
}

const tvkit::Color& ColorUtils::primary500() {
    static const tvkit::Color color = fromHex("#008471", 1.0);
    return color;
}

} // namespace qvtv
