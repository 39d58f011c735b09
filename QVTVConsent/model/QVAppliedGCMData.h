#pragma once
// The Google Consent Mode settings last applied on this device: the region that matched and the
// signals sent to the analytics SDK.
//
//   qvtv::QVAppliedGCMData applied{"DE", configs};
//   store(applied.toJson());

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "QVTVConsent/model/QVConsentSignalConfig.h"
#include "QVTVConsent/core/Result.h"

namespace qvtv {

struct QVAppliedGCMData {
    std::string region;
    std::vector<QVConsentSignalConfig> consentData;

    // Fails only for a value that is no object; one bad signal empties "consent_data".
    static Result<QVAppliedGCMData> fromJson(const nlohmann::json& value);

    // "region" and "consent_data" with both keys in every signal (null when empty).
    nlohmann::json toJson() const;

    friend bool operator==(const QVAppliedGCMData&, const QVAppliedGCMData&) = default;
};

} // namespace qvtv
