#pragma once
// Drives the Tenjin SDK: initialises it when the host gave its API key, and opts the viewer in
// (and connects) or out with consent.
//
//   qvtv::TenjinConsentAdapter tenjin(qvtv::QVTenjinConfig("key"), type, status, std::nullopt);
//   tenjin.applyConsent(false, true);   // "optOut"

#include <optional>

#include "QVTVConsent/adapters/ConsentAdapter.h"
#include "QVTVConsent/adapters/QVTenjinConfig.h"

namespace qvtv {

class TenjinConsentAdapter : public ConsentAdapter<bool> {
public:
    TenjinConsentAdapter(std::optional<QVTenjinConfig> config, QVConsentType consentType,
                         QVConsentStatus consentStatus, std::optional<bool> packageEnabled);

    bool applyConsent(std::optional<bool> packageEnabled, const bool& consentSignals) override;
    void clearSession() override;

    void optIn(bool optIn);

private:
    std::optional<QVTenjinConfig> config_;
};

} // namespace qvtv
