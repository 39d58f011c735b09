#include "QVTVConsent/data/QVConsentExpiryEvaluator.h"

#include <string>

#include "QVTVConsent/core/QVLogger.h"
#include "platform/GregorianCalendar.h"
#include "platform/RunLoop.h"

namespace qvtv {

bool QVConsentExpiryEvaluator::isConsentExpired(std::optional<std::int64_t> lastConsentedAt,
                                                std::optional<std::int64_t> consentLifeInMonths) {
    if (!consentLifeInMonths) return false;
    if (!lastConsentedAt) {
        QVLogger::i("QVConsentExpiryEvaluator",
                    "isConsentExpired(nil, " + std::to_string(*consentLifeInMonths) + ")\n" +
                        "lastConsentedAt not found, marking consent as expired to trigger recollection and "
                        "persist new lastConsentedAt value");
        return true;
    }
    const auto expiresAt = platform::GregorianCalendar::addingMonths(*lastConsentedAt, *consentLifeInMonths);
    if (!expiresAt) return false;
    return platform::RunLoop::main().clock()->wallMillis() >= *expiresAt;
}

} // namespace qvtv
