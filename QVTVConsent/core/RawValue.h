#pragma once
// The string raw values of the library's enumerations. Each enumeration specialises RawValues
// with its cases in declaration order; rawValue, fromRawValue and allCases then work on it.
//
//   qvtv::rawValue(qvtv::QVConsentStatus::collected);            // "Collected"
//   qvtv::fromRawValue<qvtv::QVConsentStatus>("Pending");        // QVConsentStatus::pending
//   for (auto c : qvtv::allCases<qvtv::QVCategoryType>()) ...

#include <array>
#include <optional>
#include <string_view>
#include <utility>

namespace qvtv {

// Specialised per enumeration: `static constexpr std::array<std::pair<E, std::string_view>, N> table`.
template <class E>
struct RawValues;

template <class E>
concept RawValued = requires { RawValues<E>::table; };

template <RawValued E>
constexpr std::string_view rawValue(E value) {
    for (const auto& [c, raw] : RawValues<E>::table) {
        if (c == value) return raw;
    }
    return {};
}

// Exact, case-sensitive comparison of the whole text, first match in case order; no trimming.
template <RawValued E>
constexpr std::optional<E> fromRawValue(std::string_view text) {
    for (const auto& [c, raw] : RawValues<E>::table) {
        if (raw == text) return c;
    }
    return std::nullopt;
}

template <RawValued E>
constexpr auto allCases() {
    constexpr auto& table = RawValues<E>::table;
    std::array<E, table.size()> cases{};
    for (std::size_t i = 0; i < table.size(); ++i) cases[i] = table[i].first;
    return cases;
}

} // namespace qvtv
