#include "QVTVConsent/model/QVSettingsData.h"

#include <utility>

#include "QVTVConsent/model/TemplateJson.h"

namespace qvtv {

std::shared_ptr<QVSettingsData> QVSettingsData::fromTemplate(std::vector<std::shared_ptr<QVCategory>> categories,
                                                             const nlohmann::json& texts,
                                                             const nlohmann::json& settings,
                                                             QVButtonData cancelButton,
                                                             std::optional<QVButtonData> declineButton,
                                                             QVButtonData saveButton) {
    using templatejson::text;
    auto data = std::make_shared<QVSettingsData>();
    data->categories = std::move(categories);
    data->introduction = QVHtmlData{text(texts, "Introduction"), text(settings, "TextColor"),
                                    text(settings, "HeadingColor"), text(settings, "LinkColor"),
                                    text(settings, "LineColor")};
    data->pluginsLabel = StringUtils::getString(JsonUtils::find(texts, "Plugins"), "Plugins");
    data->noOptOutLabel = text(texts, "NoOptOut");
    data->descriptionLabel = text(texts, "Description");
    data->serviceLabel = text(texts, "Service");
    data->policyLinkLabel = text(texts, "PrivacyPolicy");
    data->enableServicesLabel = text(texts, "BlockText");
    data->dropDownColor = text(settings, "DropdownColor");
    data->cancelButton = std::move(cancelButton);
    data->declineButton = std::move(declineButton);
    data->saveButton = std::move(saveButton);
    return data;
}

} // namespace qvtv
