#pragma once
// The preference-center template of one application: its tabs in the order settings, privacy
// policy, cookie policy, data request (each present only when the template captions it), and the
// screen's colours. The settings tab shares the banner's category objects.
//
//   auto center = qvtv::QVPreferenceCenterData::fromJson(body, banner->categories);
//   if (!center) return center.error();
//   for (const auto& tab : (*center)->tabs) addTab(tab.heading);

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "QVTVConsent/model/QVCategory.h"
#include "QVTVConsent/model/QVDataRequestFormData.h"
#include "QVTVConsent/model/QVHTMLPageData.h"
#include "QVTVConsent/model/QVPreferenceCenterTabType.h"
#include "QVTVConsent/model/QVSettingsData.h"
#include "QVTVConsent/model/QVTabData.h"
#include "QVTVConsent/core/Result.h"

namespace qvtv {

// Settings tabs hold QVSettingsData, policy tabs QVHTMLPageData, the request tab the form.
using QVPreferenceCenterTabContent = std::variant<std::shared_ptr<QVSettingsData>, std::shared_ptr<QVHTMLPageData>,
                                                  std::shared_ptr<QVDataRequestFormData>>;
using QVPreferenceCenterTab = QVTabData<QVPreferenceCenterTabType, QVPreferenceCenterTabContent>;

class QVPreferenceCenterData {
public:
    std::vector<QVPreferenceCenterTab> tabs;
    std::string backgroundColor;
    std::string textColor;
    bool removeBranding = false;

    // Fails with the JSON error tagged "QVPreferenceCenterData" only when the root, "template",
    // its "Translation", "TemplateTranslation" or "Settings", or a present "DataRequest" and its
    // "Translation" are not usable objects; everything else falls back.
    static Result<std::shared_ptr<QVPreferenceCenterData>> fromJson(
        const nlohmann::json& root, const std::vector<std::shared_ptr<QVCategory>>& categories);
};

} // namespace qvtv
