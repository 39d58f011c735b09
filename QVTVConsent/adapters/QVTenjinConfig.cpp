#include "QVTVConsent/adapters/QVTenjinConfig.h"

#include "QVTVConsent/adapters/TenjinConsentAdapter.h"

namespace qvtv {

std::shared_ptr<BaseConsentAdapter> QVTenjinConfig::createAdapter(QVConsentType consentType,
                                                                  QVConsentStatus consentStatus,
                                                                  std::optional<bool> packageEnabled) const {
    return std::make_shared<TenjinConsentAdapter>(*this, consentType, consentStatus, packageEnabled);
}

} // namespace qvtv
