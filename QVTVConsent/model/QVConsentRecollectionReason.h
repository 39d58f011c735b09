#pragma once
// Why consent must be collected again. The raw values are lower case with an
// underscore, unlike the other enumerations, because that is how they are stored.
//
//   auto v = qvtv::fromRawValue<qvtv::QVConsentRecollectionReason>("structure_changed");   // QVConsentRecollectionReason::structureChanged
//   qvtv::rawValue(qvtv::QVConsentRecollectionReason::structureChanged);                  // "structure_changed"

#include "QVTVConsent/core/RawValue.h"

namespace qvtv {

enum class QVConsentRecollectionReason { expired, structureChanged };

template <>
struct RawValues<QVConsentRecollectionReason> {
    static constexpr std::array<std::pair<QVConsentRecollectionReason, std::string_view>, 2> table{{
        {QVConsentRecollectionReason::expired, "expired"},
        {QVConsentRecollectionReason::structureChanged, "structure_changed"},
    }};
};

} // namespace qvtv
