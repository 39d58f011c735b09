#pragma once
// Corner style of a template button or container. Templates also write "Round", which draws
// the same as "Smooth"; cornerTypeFromTemplate understands it.
//
//   qvtv::cornerTypeFromTemplate("Round").value_or(qvtv::QVCornerType::smooth);  // smooth

#include <optional>
#include <string_view>

#include "QVTVConsent/core/RawValue.h"

namespace qvtv {

enum class QVCornerType { sharp, smooth };

template <>
struct RawValues<QVCornerType> {
    static constexpr std::array<std::pair<QVCornerType, std::string_view>, 2> table{{
        {QVCornerType::sharp, "Sharp"},
        {QVCornerType::smooth, "Smooth"},
    }};
};

// "Sharp", "Smooth" or "Round", exact and case-sensitive; anything else gives no value.
constexpr std::optional<QVCornerType> cornerTypeFromTemplate(std::string_view text) {
    if (text == "Round") return QVCornerType::smooth;
    return fromRawValue<QVCornerType>(text);
}

} // namespace qvtv
