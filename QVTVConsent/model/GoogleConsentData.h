#pragma once
// The Google Consent Mode settings for a group of regions, as a banner template carries them.
//
//   auto gcm = qvtv::GoogleConsentData::fromJson(json);
//   if (gcm && qvtv::ArrayUtils::containsIgnoreCase(gcm->regions, "DE")) apply(gcm->configs);

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "QVTVConsent/model/QVConsentSignalConfig.h"
#include "QVTVConsent/core/Result.h"

namespace qvtv {

struct GoogleConsentData {
    std::vector<QVConsentSignalConfig> configs;
    std::vector<std::string> regions;

    // Fails only for a value that is no object. One bad config empties "configs"; a region that
    // is not text reads as the empty string (untrimmed text otherwise).
    static Result<GoogleConsentData> fromJson(const nlohmann::json& value);

    // "configs" (template form) and "regions".
    nlohmann::json toJson() const;

    friend bool operator==(const GoogleConsentData&, const GoogleConsentData&) = default;
};

} // namespace qvtv
