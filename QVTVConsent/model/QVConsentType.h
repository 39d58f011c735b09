#pragma once
// Whether the banner template asks for explicit or implicit consent. `explicit` is a C++
// keyword, so that case carries a trailing underscore; `implict` is the public case name as shipped.
//
//   auto v = qvtv::fromRawValue<qvtv::QVConsentType>("Implicit");   // QVConsentType::implict
//   qvtv::rawValue(qvtv::QVConsentType::implict);                  // "Implicit"

#include "QVTVConsent/core/RawValue.h"

namespace qvtv {

enum class QVConsentType { explicit_, implict };

template <>
struct RawValues<QVConsentType> {
    static constexpr std::array<std::pair<QVConsentType, std::string_view>, 2> table{{
        {QVConsentType::explicit_, "Explicit"},
        {QVConsentType::implict, "Implicit"},
    }};
};

} // namespace qvtv
