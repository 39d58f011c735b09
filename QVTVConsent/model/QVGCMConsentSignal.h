#pragma once
// The four Google Consent Mode signal types; raw values are the signal names.
//
//   auto v = qvtv::fromRawValue<qvtv::QVGCMConsentSignal>("ad_storage");   // QVGCMConsentSignal::adStorage
//   qvtv::rawValue(qvtv::QVGCMConsentSignal::adStorage);                  // "ad_storage"

#include "QVTVConsent/core/RawValue.h"

namespace qvtv {

enum class QVGCMConsentSignal { adStorage, analyticsStorage, adUserData, adPersonalization };

template <>
struct RawValues<QVGCMConsentSignal> {
    static constexpr std::array<std::pair<QVGCMConsentSignal, std::string_view>, 4> table{{
        {QVGCMConsentSignal::adStorage, "ad_storage"},
        {QVGCMConsentSignal::analyticsStorage, "analytics_storage"},
        {QVGCMConsentSignal::adUserData, "ad_user_data"},
        {QVGCMConsentSignal::adPersonalization, "ad_personalization"},
    }};
};

} // namespace qvtv
