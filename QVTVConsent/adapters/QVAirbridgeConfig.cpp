#include "QVTVConsent/adapters/QVAirbridgeConfig.h"

#include "QVTVConsent/adapters/AirbridgeConsentAdapter.h"

namespace qvtv {

std::shared_ptr<BaseConsentAdapter> QVAirbridgeConfig::createAdapter(QVConsentType consentType,
                                                                     QVConsentStatus consentStatus,
                                                                     std::optional<bool> packageEnabled) const {
    return std::make_shared<AirbridgeConsentAdapter>(*this, consentType, consentStatus, packageEnabled);
}

} // namespace qvtv
