#include "QVTVConsent/core/NumUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace qvtv {

std::optional<std::int64_t> NumUtils::parseInt64(std::string_view text) {
    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) digits.remove_prefix(1);
    if (digits.empty() || !std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    // from_chars does not take a plus sign, but does take the minus it then range-checks.
    if (text.front() == '+') text.remove_prefix(1);
    std::int64_t result = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return result;
}

std::optional<std::int64_t> NumUtils::getInt64(const nlohmann::json* value, std::optional<std::int64_t> defaultValue) {
    if (!value) return defaultValue;
    switch (value->type()) {
    case nlohmann::json::value_t::number_integer:
        return value->get<std::int64_t>();
    case nlohmann::json::value_t::number_unsigned: {
        auto u = value->get<std::uint64_t>();
        if (u > static_cast<std::uint64_t>(INT64_MAX)) return defaultValue;
        return static_cast<std::int64_t>(u);
    }
    case nlohmann::json::value_t::number_float: {
        // Whole numbers written as 12.0 are still integers to the service; 2^63 itself is out of range.
        double d = value->get<double>();
        if (!std::isfinite(d) || d != std::trunc(d) || d < -9223372036854775808.0 || d >= 9223372036854775808.0) {
            return defaultValue;
        }
        return static_cast<std::int64_t>(d);
    }
    case nlohmann::json::value_t::string: {
        auto parsed = parseInt64(value->get_ref<const std::string&>());
        return parsed ? parsed : defaultValue;
    }
    default:
        return defaultValue;
    }
}

std::int64_t NumUtils::getInt(const nlohmann::json* value, std::int64_t defaultValue) {
    return getInt64(value, defaultValue).value_or(defaultValue);
}

} // namespace qvtv
