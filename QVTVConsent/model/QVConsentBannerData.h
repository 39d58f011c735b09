#pragma once
// The consent banner of one application as its template describes it: message and colours, the
// four buttons, the consent type and storage rules, the categories with their packages (shared
// with the preference center and the screens) and the Google Consent Mode settings.
// Reading falls back field by field; only a template without its basic objects is refused.
//
//   auto banner = qvtv::QVConsentBannerData::fromJson(body);
//   if (!banner) return banner.error();            // JSON error tagged "QVConsentBannerData"
//   show((*banner)->html.html, (*banner)->acceptButton.label);

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "QVTVConsent/model/QVButtonData.h"
#include "QVTVConsent/model/QVCategory.h"
#include "QVTVConsent/model/QVConsentModeConfigData.h"
#include "QVTVConsent/model/QVConsentType.h"
#include "QVTVConsent/model/QVHtmlData.h"
#include "QVTVConsent/core/Result.h"

namespace qvtv {

class QVConsentBannerData {
public:
    std::string backgroundColor;
    std::string logoUrl;
    QVHtmlData html;
    QVButtonData acceptButton;
    QVButtonData saveButton;
    QVButtonData declineButton;
    QVButtonData customizeButton;
    bool removeBranding = false;
    bool advancedBanner = false;
    QVConsentType consentType = QVConsentType::explicit_;
    std::optional<std::int64_t> dataRetentionPeriodInMonths;
    std::optional<bool> doNotStoreConsent;
    std::vector<std::shared_ptr<QVCategory>> categories;
    bool gcm = false;
    std::optional<QVConsentModeConfigData> gcmConfig;

    // Fails with the JSON error tagged "QVConsentBannerData" only when the root or "template" is
    // not a non-empty object, or "Translation" or "Settings" is not an object.
    static Result<std::shared_ptr<QVConsentBannerData>> fromJson(const nlohmann::json& root);
};

} // namespace qvtv
