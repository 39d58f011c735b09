#include "QVTVConsent/adapters/BaseConsentAdapter.h"

namespace qvtv {

bool BaseConsentAdapter::isRestricted(QVConsentType consentType, QVConsentStatus status,
                                      std::optional<bool> packageEnabled) {
    if (status != QVConsentStatus::pending && packageEnabled) return !*packageEnabled;
    return consentType == QVConsentType::explicit_;
}

} // namespace qvtv
