#include "QVTVConsent/adapters/TenjinConsentAdapter.h"

#include "QVTVConsent/core/QVLogger.h"

namespace qvtv {

TenjinConsentAdapter::TenjinConsentAdapter(std::optional<QVTenjinConfig> config, QVConsentType consentType,
                                           QVConsentStatus consentStatus, std::optional<bool> packageEnabled)
    : ConsentAdapter("TenjinConsentAdapter", consentType, QVSupportedPackage::tenjin()), config_(std::move(config)) {
    auto cls = sdkClass();
    if (!cls) {
        QVLogger::w(tag(), "Tenjin SDK not found!");
        return;
    }
    const bool restricted = isRestricted(consentType, consentStatus, packageEnabled);
    if (!config_) {
        QVLogger::i(tag(), std::string("Tenjin Config not found, skipping initialization (Restricted = ") +
                               text(restricted));
    } else {
        QVLogger::i(tag(), std::string("Initializing enjin SDK with config (Restricted = ") + text(restricted));
        cls->send("initialize:", {config_->apiKey});
        if (QVLogger::INTEGRATION_SDK_LOGS_ENABLED) cls->send("debugLogs", {});
        QVLogger::i(tag(), "Tenjin SDK initialized successfully!");
    }
    optIn(!restricted);
}

bool TenjinConsentAdapter::applyConsent(std::optional<bool> packageEnabled, const bool& consentSignals) {
    optIn(packageEnabled.value_or(false));
    QVLogger::i(tag(), "applyConsent(packageEnabled: " + text(packageEnabled) + ", consentSignals: " +
                           text(consentSignals) + ")");
    return sdkClass() != nullptr;
}

void TenjinConsentAdapter::clearSession() {
    QVLogger::i(tag(), "clearSession()");
    optIn(false);
}

void TenjinConsentAdapter::optIn(bool optIn) {
    auto cls = sdkClass();
    if (!cls) {
        QVLogger::w(tag(), std::string("Unable to optIn(optIn: ") + text(optIn) + "), Tenjin Instance not found.");
        return;
    }
    if (optIn) {
        cls->send("optIn", {});
        cls->send("connect", {});
    } else {
        cls->send("optOut", {});
    }
    QVLogger::i(tag(), std::string("optIn(optIn: ") + text(optIn) + ")");
}

} // namespace qvtv
