#pragma once
// The key a host initialises the library with: its primary application id, optionally a second
// application whose banner can be shown separately, and the configurations of the external SDKs
// the library should start and drive.
//
//   qvtv::QVAuthKey key("demo-tv-app", "demo-tv-app-kids", {});
//   auto fromConfig = qvtv::QVAuthKey::fromDictionary({{"applicationId", "demo-tv-app"}});

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace qvtv {

class QVIntegrationConfig;

class QVAuthKey {
public:
    using IntegrationConfigs = std::vector<std::shared_ptr<QVIntegrationConfig>>;

    QVAuthKey(std::string applicationId, std::optional<std::string> secondaryApplicationId = std::nullopt,
              IntegrationConfigs integrationConfigs = {});

    // No key for an empty dictionary or one without a text "applicationId". A secondary id that
    // is missing or not text becomes the empty string; the configuration list is always empty.
    static std::optional<QVAuthKey> fromDictionary(const nlohmann::json& dictionary);

    const std::string& applicationId() const { return applicationId_; }
    const std::optional<std::string>& secondaryApplicationId() const { return secondaryApplicationId_; }
    const IntegrationConfigs& integrationConfigs() const { return integrationConfigs_; }

private:
    std::string applicationId_;
    std::optional<std::string> secondaryApplicationId_;
    IntegrationConfigs integrationConfigs_;
};

} // namespace qvtv
