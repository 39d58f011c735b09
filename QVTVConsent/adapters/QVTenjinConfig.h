#pragma once
// The host's Tenjin credentials; with them the library initialises the Tenjin SDK itself.
//
//   auto config = std::make_shared<qvtv::QVTenjinConfig>("api-key");

#include <string>

#include "QVTVConsent/adapters/QVIntegrationConfig.h"

namespace qvtv {

class QVTenjinConfig : public QVIntegrationConfig {
public:
    explicit QVTenjinConfig(std::string apiKey) : apiKey(std::move(apiKey)) {}

    const QVSupportedPackage& pkg() const override { return QVSupportedPackage::tenjin(); }
    std::shared_ptr<BaseConsentAdapter> createAdapter(QVConsentType consentType, QVConsentStatus consentStatus,
                                                      std::optional<bool> packageEnabled) const override;

    std::string apiKey;
};

} // namespace qvtv
