#pragma once
// The host's Singular credentials; with them the library starts the Singular session itself.
//
//   auto config = std::make_shared<qvtv::QVSingularConfig>("api-key", "secret");

#include <string>

#include "QVTVConsent/adapters/QVIntegrationConfig.h"

namespace qvtv {

class QVSingularConfig : public QVIntegrationConfig {
public:
    QVSingularConfig(std::string apiKey, std::string secret) : apiKey(std::move(apiKey)), secret(std::move(secret)) {}

    const QVSupportedPackage& pkg() const override { return QVSupportedPackage::singular(); }
    std::shared_ptr<BaseConsentAdapter> createAdapter(QVConsentType consentType, QVConsentStatus consentStatus,
                                                      std::optional<bool> packageEnabled) const override;

    std::string apiKey;
    std::string secret;
};

} // namespace qvtv
