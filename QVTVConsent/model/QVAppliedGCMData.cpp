#include "QVTVConsent/model/QVAppliedGCMData.h"

#include "QVTVConsent/core/JsonUtils.h"
#include "QVTVConsent/core/StringUtils.h"

namespace qvtv {

Result<QVAppliedGCMData> QVAppliedGCMData::fromJson(const nlohmann::json& value) {
    if (!value.is_object()) return JsonUtils::invalidJsonError("QVAppliedGCMData", &value);
    return QVAppliedGCMData{
        StringUtils::getString(JsonUtils::find(value, "region")),
        JsonUtils::parseListOrEmpty(JsonUtils::find(value, "consent_data"), QVConsentSignalConfig::fromJson)};
}

nlohmann::json QVAppliedGCMData::toJson() const {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& config : consentData) list.push_back(config.toAppliedJson());
    nlohmann::json object = nlohmann::json::object();
    object["region"] = region;
    object["consent_data"] = std::move(list);
    return object;
}

} // namespace qvtv
