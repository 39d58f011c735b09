#pragma once
// The value of one Google Consent Mode signal.
//
//   auto v = qvtv::fromRawValue<qvtv::QVGCMConsentSignalStatus>("denied");   // QVGCMConsentSignalStatus::denied
//   qvtv::rawValue(qvtv::QVGCMConsentSignalStatus::denied);                  // "denied"

#include "QVTVConsent/core/RawValue.h"

namespace qvtv {

enum class QVGCMConsentSignalStatus { granted, denied };

template <>
struct RawValues<QVGCMConsentSignalStatus> {
    static constexpr std::array<std::pair<QVGCMConsentSignalStatus, std::string_view>, 2> table{{
        {QVGCMConsentSignalStatus::granted, "granted"},
        {QVGCMConsentSignalStatus::denied, "denied"},
    }};
};

} // namespace qvtv
