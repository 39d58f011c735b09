#pragma once
// Content of the preference center's settings tab: the banner's categories (the same objects,
// so switches flipped here show on the banner too), the introduction, the labels of the
// category and package rows, and the three buttons.
//
//   for (const auto& category : settings->categories) addRow(category, settings->noOptOutLabel);

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "QVTVConsent/model/QVButtonData.h"
#include "QVTVConsent/model/QVCategory.h"
#include "QVTVConsent/model/QVHtmlData.h"

namespace qvtv {

struct QVSettingsData {
    std::vector<std::shared_ptr<QVCategory>> categories;
    QVHtmlData introduction;
    std::string pluginsLabel;
    std::string noOptOutLabel;
    std::string descriptionLabel;
    std::string serviceLabel;
    std::string policyLinkLabel;
    std::string enableServicesLabel;
    std::string dropDownColor;
    QVButtonData cancelButton;
    std::optional<QVButtonData> declineButton;
    QVButtonData saveButton;

    // Reads the labels from the template's texts object and the colours from its settings object.
    static std::shared_ptr<QVSettingsData> fromTemplate(std::vector<std::shared_ptr<QVCategory>> categories,
                                                        const nlohmann::json& texts, const nlohmann::json& settings,
                                                        QVButtonData cancelButton,
                                                        std::optional<QVButtonData> declineButton,
                                                        QVButtonData saveButton);
};

} // namespace qvtv
