#pragma once
// The host's Airbridge app name and token; with them the library builds the SDK's option and
// initialises it itself.
//
//   auto config = std::make_shared<qvtv::QVAirbridgeConfig>("myapp", "app-token");

#include <string>

#include "QVTVConsent/adapters/QVIntegrationConfig.h"

namespace qvtv {

class QVAirbridgeConfig : public QVIntegrationConfig {
public:
    QVAirbridgeConfig(std::string appName, std::string appToken)
        : appName(std::move(appName)), appToken(std::move(appToken)) {}

    const QVSupportedPackage& pkg() const override { return QVSupportedPackage::airbridge(); }
    std::shared_ptr<BaseConsentAdapter> createAdapter(QVConsentType consentType, QVConsentStatus consentStatus,
                                                      std::optional<bool> packageEnabled) const override;

    std::string appName;
    std::string appToken;
};

} // namespace qvtv
