#pragma once
// Every Google Consent Mode setting of a template. Unlike the other lists, a bad element here
// fails the whole record, so a half-read configuration is never stored or applied.
//
//   auto config = qvtv::QVConsentModeConfigData::fromJson(json);
//   if (!config) log(config.error().localizedDescription());

#include <vector>

#include <nlohmann/json.hpp>

#include "QVTVConsent/model/GoogleConsentData.h"
#include "QVTVConsent/core/Result.h"

namespace qvtv {

struct QVConsentModeConfigData {
    std::vector<GoogleConsentData> gcm;

    // A missing or non-list "gcm" gives an empty list; a failing element's error is passed on.
    static Result<QVConsentModeConfigData> fromJson(const nlohmann::json& value);

    // "gcm".
    nlohmann::json toJson() const;

    friend bool operator==(const QVConsentModeConfigData&, const QVConsentModeConfigData&) = default;
};

} // namespace qvtv
