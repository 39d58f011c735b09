#pragma once
// Drives the Singular SDK: starts (or, later in the same process, restarts) its session when the
// host gave credentials, and turns tracking and data sharing on or off with consent.
//
//   qvtv::SingularConsentAdapter singular(qvtv::QVSingularConfig("key", "secret"), type, status, std::nullopt);
//   singular.applyConsent(true, true);   // resumes tracking, lifts the limits

#include <optional>

#include "QVTVConsent/adapters/ConsentAdapter.h"
#include "QVTVConsent/adapters/QVSingularConfig.h"

namespace qvtv {

class SingularConsentAdapter : public ConsentAdapter<bool> {
public:
    SingularConsentAdapter(std::optional<QVSingularConfig> config, QVConsentType consentType,
                           QVConsentStatus consentStatus, std::optional<bool> packageEnabled);

    bool applyConsent(std::optional<bool> packageEnabled, const bool& consentSignals) override;
    void clearSession() override;

    void optIn(bool optIn);

    // Whether a Singular session was started in this process; it stays set, so a later
    // initialisation restarts the session instead of starting a second one.
    static bool isSessionStarted();

private:
    std::optional<QVSingularConfig> config_;
};

} // namespace qvtv
