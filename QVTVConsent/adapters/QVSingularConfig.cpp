#include "QVTVConsent/adapters/QVSingularConfig.h"

#include "QVTVConsent/adapters/SingularConsentAdapter.h"

namespace qvtv {

std::shared_ptr<BaseConsentAdapter> QVSingularConfig::createAdapter(QVConsentType consentType,
                                                                    QVConsentStatus consentStatus,
                                                                    std::optional<bool> packageEnabled) const {
    return std::make_shared<SingularConsentAdapter>(*this, consentType, consentStatus, packageEnabled);
}

} // namespace qvtv
