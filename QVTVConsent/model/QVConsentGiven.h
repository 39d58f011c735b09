#pragma once
// How much of one category the viewer accepted.
//
//   auto v = qvtv::fromRawValue<qvtv::QVConsentGiven>("Partial");   // QVConsentGiven::partial
//   qvtv::rawValue(qvtv::QVConsentGiven::partial);                  // "Partial"

#include "QVTVConsent/core/RawValue.h"

namespace qvtv {

enum class QVConsentGiven { all, partial, none };

template <>
struct RawValues<QVConsentGiven> {
    static constexpr std::array<std::pair<QVConsentGiven, std::string_view>, 3> table{{
        {QVConsentGiven::all, "All"},
        {QVConsentGiven::partial, "Partial"},
        {QVConsentGiven::none, "None"},
    }};
};

} // namespace qvtv
