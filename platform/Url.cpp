#include "platform/Url.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace platform {

namespace {

bool isSchemeChar(unsigned char c) { return std::isalnum(c) || c == '+' || c == '-' || c == '.'; }

// The unreserved, reserved and percent characters of URLs; everything else needs encoding.
bool isUrlChar(unsigned char c) {
    if (c >= 0x80 || !std::isgraph(c)) return false;
    return std::strchr("\"<>\\^`{|}", c) == nullptr;
}

bool isPercentEncodingValid(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') continue;
        if (i + 2 >= text.size() || !std::isxdigit(static_cast<unsigned char>(text[i + 1])) ||
            !std::isxdigit(static_cast<unsigned char>(text[i + 2])))
            return false;
    }
    return true;
}

} // namespace

std::optional<Url> Url::parse(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon + 1 == text.size()) return std::nullopt;
    const std::string_view scheme = text.substr(0, colon);
    if (!std::isalpha(static_cast<unsigned char>(scheme.front()))) return std::nullopt;
    if (!std::all_of(scheme.begin(), scheme.end(), [](char c) { return isSchemeChar(static_cast<unsigned char>(c)); }))
        return std::nullopt;
    const std::string_view rest = text.substr(colon + 1);
    if (!std::all_of(rest.begin(), rest.end(), [](char c) { return isUrlChar(static_cast<unsigned char>(c)); }))
        return std::nullopt;
    if (!isPercentEncodingValid(rest)) return std::nullopt;
    std::string lower(scheme);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return Url(std::string(text), std::move(lower));
}

} // namespace platform
