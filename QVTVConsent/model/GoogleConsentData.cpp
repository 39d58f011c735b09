#include "QVTVConsent/model/GoogleConsentData.h"

#include "QVTVConsent/core/JsonUtils.h"

namespace qvtv {

Result<GoogleConsentData> GoogleConsentData::fromJson(const nlohmann::json& value) {
    if (!value.is_object()) return JsonUtils::invalidJsonError("GoogleConsentData", &value);
    GoogleConsentData data;
    data.configs = JsonUtils::parseListOrEmpty(JsonUtils::find(value, "configs"), QVConsentSignalConfig::fromJson);
    const nlohmann::json* regions = JsonUtils::find(value, "regions");
    if (regions && regions->is_array()) {
        data.regions.reserve(regions->size());
        for (const nlohmann::json& region : *regions) {
            data.regions.push_back(region.is_string() ? region.get<std::string>() : std::string());
        }
    }
    return data;
}

nlohmann::json GoogleConsentData::toJson() const {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& config : configs) list.push_back(config.toJson());
    nlohmann::json object = nlohmann::json::object();
    object["configs"] = std::move(list);
    object["regions"] = regions;
    return object;
}

} // namespace qvtv
