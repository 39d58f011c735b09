#pragma once
// Whether a template button is drawn as a button or as plain text.
//
//   auto v = qvtv::fromRawValue<qvtv::QVButtonType>("Button");   // QVButtonType::button
//   qvtv::rawValue(qvtv::QVButtonType::button);                  // "Button"

#include "QVTVConsent/core/RawValue.h"

namespace qvtv {

enum class QVButtonType { none, button };

template <>
struct RawValues<QVButtonType> {
    static constexpr std::array<std::pair<QVButtonType, std::string_view>, 2> table{{
        {QVButtonType::none, "None"},
        {QVButtonType::button, "Button"},
    }};
};

} // namespace qvtv
