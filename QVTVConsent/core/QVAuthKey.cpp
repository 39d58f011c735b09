#include "QVTVConsent/core/QVAuthKey.h"

namespace qvtv {

QVAuthKey::QVAuthKey(std::string applicationId, std::optional<std::string> secondaryApplicationId,
                     IntegrationConfigs integrationConfigs)
    : applicationId_(std::move(applicationId)),
      secondaryApplicationId_(std::move(secondaryApplicationId)),
      integrationConfigs_(std::move(integrationConfigs)) {}

std::optional<QVAuthKey> QVAuthKey::fromDictionary(const nlohmann::json& dictionary) {
    if (!dictionary.is_object() || dictionary.empty()) return std::nullopt;
    const auto primary = dictionary.find("applicationId");
    if (primary == dictionary.end() || !primary->is_string()) return std::nullopt;
    const auto secondary = dictionary.find("secondaryApplicationId");
    std::string secondaryId = secondary != dictionary.end() && secondary->is_string() ? secondary->get<std::string>() : "";
    return QVAuthKey(primary->get<std::string>(), std::move(secondaryId));
}

} // namespace qvtv
