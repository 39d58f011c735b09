#include "QVTVConsent/adapters/SingularConsentAdapter.h"

#include <atomic>

#include "QVTVConsent/core/QVLogger.h"

namespace qvtv {
namespace {

std::atomic<bool> sessionStarted{false};

} // namespace

SingularConsentAdapter::SingularConsentAdapter(std::optional<QVSingularConfig> config, QVConsentType consentType,
                                               QVConsentStatus consentStatus, std::optional<bool> packageEnabled)
    : ConsentAdapter("SingularConsentAdapter", consentType, QVSupportedPackage::singular()), config_(std::move(config)) {
    auto cls = sdkClass();
    if (!cls) {
        QVLogger::w(tag(), "Singular SDK not found.");
        return;
    }
    const bool restricted = isRestricted(consentType, consentStatus, packageEnabled);
    optIn(!restricted);
    if (!config_) {
        QVLogger::i(tag(), std::string("Singular Config not found, skipping initialization (Restricted = ") +
                               text(restricted));
    } else {
        QVLogger::i(tag(), std::string("Initializing Singular with init(apiKey, secret) (Restricted = ") +
                               text(restricted));
        const char* selector = sessionStarted.exchange(true) ? "reStartSession:withKey:" : "startSession:withKey:";
        cls->send(selector, {config_->apiKey, config_->secret});
        QVLogger::i(tag(), "Singular SDK initialized successfully!");
    }
    optIn(!restricted);
}

bool SingularConsentAdapter::applyConsent(std::optional<bool> packageEnabled, const bool& consentSignals) {
    QVLogger::i(tag(), "applyConsent(packageEnabled: " + text(packageEnabled) + ", consentSignals: " +
                           text(consentSignals) + ")");
    optIn(packageEnabled.value_or(false));
    return sdkClass() != nullptr;
}

void SingularConsentAdapter::clearSession() {
    QVLogger::i(tag(), "clearSession()");
    optIn(false);
    if (auto cls = sdkClass()) cls->send("endSession", {});
}

void SingularConsentAdapter::optIn(bool optIn) {
    auto cls = sdkClass();
    if (!cls) {
        QVLogger::w(tag(), std::string("Unable to optIn(optIn: ") + text(optIn) + "), Singular Instance not found.");
        return;
    }
    if (optIn) {
        cls->send("resumeAllTracking", {});
        cls->send("setLimitAdvertisingIdentifiers:", {false});
        cls->send("limitDataSharing:", {false});
        cls->send("resumeAllTracking", {});
    } else {
        cls->send("stopAllTracking", {});
        cls->send("setLimitAdvertisingIdentifiers:", {true});
        cls->send("limitDataSharing:", {true});
    }
    QVLogger::i(tag(), std::string("optIn(optIn: ") + text(optIn) + ")");
}

bool SingularConsentAdapter::isSessionStarted() { return sessionStarted.load(); }

} // namespace qvtv
