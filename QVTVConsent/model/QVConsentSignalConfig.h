#pragma once
// One Google Consent Mode signal setting. Either field stays empty when the input named no known
// signal or status; the two written forms differ in how they show an empty field.
//
//   auto cfg = qvtv::QVConsentSignalConfig::fromJson({{"signal", "ad_storage"}, {"status", "granted"}});
//   cfg->toJson();          // {"signal":"ad_storage","status":"granted"}

#include <optional>

#include <nlohmann/json.hpp>

#include "QVTVConsent/model/QVGCMConsentSignal.h"
#include "QVTVConsent/model/QVGCMConsentSignalStatus.h"
#include "QVTVConsent/core/Result.h"

namespace qvtv {

struct QVConsentSignalConfig {
    std::optional<QVGCMConsentSignal> signal;
    std::optional<QVGCMConsentSignalStatus> status;

    // Fails only for a value that is no object.
    static Result<QVConsentSignalConfig> fromJson(const nlohmann::json& value);

    // The template form: an empty field's key is left out.
    nlohmann::json toJson() const;
    // The applied-data form: both keys always, null for an empty field.
    nlohmann::json toAppliedJson() const;

    friend bool operator==(const QVConsentSignalConfig&, const QVConsentSignalConfig&) = default;
};

} // namespace qvtv
