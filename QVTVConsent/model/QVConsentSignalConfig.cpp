#include "QVTVConsent/model/QVConsentSignalConfig.h"

#include "QVTVConsent/core/JsonUtils.h"
#include "QVTVConsent/core/StringUtils.h"

namespace qvtv {

Result<QVConsentSignalConfig> QVConsentSignalConfig::fromJson(const nlohmann::json& value) {
    if (!value.is_object()) return JsonUtils::invalidJsonError("QVConsentSignalConfig", &value);
    return QVConsentSignalConfig{
        fromRawValue<QVGCMConsentSignal>(StringUtils::getString(JsonUtils::find(value, "signal"))),
        fromRawValue<QVGCMConsentSignalStatus>(StringUtils::getString(JsonUtils::find(value, "status")))};
}

nlohmann::json QVConsentSignalConfig::toJson() const {
    nlohmann::json object = nlohmann::json::object();
    if (signal) object["signal"] = rawValue(*signal);
    if (status) object["status"] = rawValue(*status);
    return object;
}

nlohmann::json QVConsentSignalConfig::toAppliedJson() const {
    nlohmann::json object = nlohmann::json::object();
    object["signal"] = signal ? nlohmann::json(rawValue(*signal)) : nlohmann::json(nullptr);
    object["status"] = status ? nlohmann::json(rawValue(*status)) : nlohmann::json(nullptr);
    return object;
}

} // namespace qvtv
