#include "QVTVConsent/model/QVConsentModeConfigData.h"

#include "QVTVConsent/core/JsonUtils.h"

namespace qvtv {

Result<QVConsentModeConfigData> QVConsentModeConfigData::fromJson(const nlohmann::json& value) {
    if (!value.is_object()) return JsonUtils::invalidJsonError("QVConsentModeConfigData", &value);
    auto gcm = JsonUtils::parseList(JsonUtils::find(value, "gcm"), GoogleConsentData::fromJson);
    if (!gcm) return gcm.error();
    return QVConsentModeConfigData{std::move(gcm).value()};
}

nlohmann::json QVConsentModeConfigData::toJson() const {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& data : gcm) list.push_back(data.toJson());
    return {{"gcm", std::move(list)}};
}

} // namespace qvtv
