#pragma once
// The state of the viewer's consent as the engine reports it.
//
//   auto v = qvtv::fromRawValue<qvtv::QVConsentStatus>("Collected");   // QVConsentStatus::collected
//   qvtv::rawValue(qvtv::QVConsentStatus::collected);                  // "Collected"

#include "QVTVConsent/core/RawValue.h"

namespace qvtv {

enum class QVConsentStatus { pending, collected, recollectionRequired };

template <>
struct RawValues<QVConsentStatus> {
    static constexpr std::array<std::pair<QVConsentStatus, std::string_view>, 3> table{{
        {QVConsentStatus::pending, "Pending"},
        {QVConsentStatus::collected, "Collected"},
        {QVConsentStatus::recollectionRequired, "RecollectionRequired"},
    }};
};

} // namespace qvtv
