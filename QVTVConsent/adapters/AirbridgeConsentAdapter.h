#pragma once
// Drives the Airbridge SDK: builds its option from the host's app name and token and initialises
// it, then enables tracking or stops it and disables the SDK with consent. The consent signal is
// not used; only the enabled flag counts.
//
//   qvtv::AirbridgeConsentAdapter airbridge(qvtv::QVAirbridgeConfig("app", "token"), type, status, std::nullopt);
//   airbridge.applyConsent(true, true);   // "enableSDK", "startTracking"

#include <optional>

#include "QVTVConsent/adapters/ConsentAdapter.h"
#include "QVTVConsent/adapters/QVAirbridgeConfig.h"

namespace qvtv {

class AirbridgeConsentAdapter : public ConsentAdapter<bool> {
public:
    AirbridgeConsentAdapter(std::optional<QVAirbridgeConfig> config, QVConsentType consentType,
                            QVConsentStatus consentStatus, std::optional<bool> packageEnabled);

    bool applyConsent(std::optional<bool> packageEnabled, const bool& consentSignals) override;
    void clearSession() override;

    bool optIn(bool optIn);

private:
    std::optional<QVAirbridgeConfig> config_;

    // The SDK's option object built from the configuration, or nullptr with a warning.
    platform::ObjectHandle buildOption(bool restricted) const;
    // A class of the SDK's module, e.g. "Airbridge.AirbridgeOptionBuilder".
    platform::ObjectHandle moduleClass(const std::string& name) const;
};

} // namespace qvtv
