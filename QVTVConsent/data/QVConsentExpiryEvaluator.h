#pragma once
// Decides whether stored consent has outlived the retention period a template sets, counting
// calendar months in UTC. "Now" is the main run loop's wall clock, so tests move time with a
// virtual clock.
//
//   if (qvtv::QVConsentExpiryEvaluator::isConsentExpired(prefs.getLastConsentedAt(id), 12)) ...

#include <cstdint>
#include <optional>

namespace qvtv {

class QVConsentExpiryEvaluator {
public:
    // No retention period never expires. A retention period without a consent time counts as
    // expired, so the next save records a fresh time. Otherwise expired once now is at or after
    // the consent instant plus the months (clamped to the end of a shorter month).
    static bool isConsentExpired(std::optional<std::int64_t> lastConsentedAt,
                                 std::optional<std::int64_t> consentLifeInMonths);

    QVConsentExpiryEvaluator() = delete;
};

} // namespace qvtv
